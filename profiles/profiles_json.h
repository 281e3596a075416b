// The profiles file's JSON: the document written out, and a text read back and checked as a
// whole (format and version, the mouse, every value in its range) before anything is used.
//
//   {"format": "Glimmerhaus Pelko profiles", "version": 1,
//    "mouse": {"name": …, "vendorId": "2719", "productId": "0604", "firmware": "1.2.7"},
//    "saved": "2026-12-09T18:30:00Z",
//    "profiles": {"profile1": {"cpi1": 800, "cpi2": 1600, "reportRate": 500,
//                              "buttonSwap": false, "pointerSpeed": 10,
//                              "acceleration": true, "wheelLines": 3, "onePage": false},
//                 "profile2": {"cpi1": {"code": 12}, …}, "profile3": {"configured": false}}}
#pragma once

#include "profiles/profiles_document.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr char kProfilesFormatName[] = "Glimmerhaus Pelko profiles";
inline constexpr int kProfilesFormatVersion = 1;

// The document as indented JSON text (UTF-8), ending with a line break.
std::string profilesJson(const ProfilesDocument& document);

struct ParsedProfiles {
    std::optional<ProfilesDocument> document;
    std::string error; // when there is no document: what is wrong, with its line or field
};

// The text checked as a whole: JSON syntax (with line and column), the format name, a version
// this program reads, a Pelko's ids, and every field known and in its range. A file for another
// mouse is refused with that mouse's name.
ParsedProfiles parseProfilesJson(std::string_view text);
