// The profiles file's checks: a table of documents, each accepted or refused with the field
// (or line) the refusal names.
#include "profiles/profiles_json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A good document with one placeholder, $P, for profile 1's fields.
std::string documentWith(const std::string& profile1, const std::string& top = "") {
    return R"({"format": "Glimmerhaus Pelko profiles", "version": 1,)" + top +
           R"( "mouse": {"name": "Glimmerhaus Pelko", "vendorId": "2719", "productId": "0604",
                         "firmware": "1.2.7"},
       "saved": "2026-12-09T18:30:00Z",
       "profiles": {"profile1": {)" +
           profile1 + R"(}, "profile3": {"configured": false}}})";
}

std::string version2(std::string text) {
    return text.replace(text.find(R"("version": 1)"), 12, R"("version": 2)");
}

const std::string kBasics = R"("cpi1": 800, "cpi2": 1600, "reportRate": 500, "buttonSwap": false)";

struct Case {
    const char* name;
    std::string text;
    const char* refusal; // nullptr: accepted
};

} // namespace

TEST(ProfilesJson, EachDocumentIsAcceptedOrRefusedNamingWhatIsWrong) {
    const Case cases[] = {
        {"minimal", documentWith(kBasics), nullptr},
        {"every field", documentWith(kBasics + R"(, "pointerSpeed": 20, "acceleration": true,
                                     "wheelLines": 100, "onePage": true)"),
         nullptr},
        {"codes", documentWith(R"("cpi1": {"code": 0}, "cpi2": {"code": 255},
                               "reportRate": {"code": 4}, "buttonSwap": {"code": 7})"),
         nullptr},
        {"not JSON", "profiles: 1", "not JSON: line 1, column 1"},
        {"truncated", documentWith(kBasics).substr(0, 120), "not JSON: line 1, column 121"},
        {"an error on line 3", "{\n  \"format\": 1,\n  \"version\" 1\n}", "not JSON: line 3"},
        {"an array", "[1, 2]", "must be an object"},
        {"another format", R"({"format": "something else", "version": 1})",
         "not a Pelko profiles file"},
        {"newer version", version2(documentWith(kBasics)), "format version 2"},
        {"version as text", R"({"format": "Glimmerhaus Pelko profiles", "version": "1"})",
         "version: \"1\" is not a whole number"},
        {"another mouse",
         R"({"format": "Glimmerhaus Pelko profiles", "version": 1, "mouse": {"name": "Rodent X",
             "vendorId": "046d", "productId": "C08B"}, "profiles": {}})",
         "another mouse: Rodent X (vendor 046D, product C08B)"},
        {"short id",
         R"({"format": "Glimmerhaus Pelko profiles", "version": 1, "mouse": {"vendorId": "27",
             "productId": "0604"}, "profiles": {}})",
         "mouse.vendorId: \"27\" is not four hexadecimal digits"},
        {"no profile",
         R"({"format": "Glimmerhaus Pelko profiles", "version": 1, "mouse": {"vendorId": "2719",
             "productId": "0604"}, "profiles": {}})",
         "profiles: names no profile"},
        {"unknown top field", documentWith(kBasics, R"( "extra": 1,)"), "extra: not a field"},
        {"CPI no button offers", documentWith(R"("cpi1": 1200, "cpi2": 800, "reportRate": 500,
                                              "buttonSwap": false)"),
         "profiles.profile1.cpi1: 1200 is not one of 400, 800, 1600, 3200"},
        {"code beyond a byte", documentWith(R"("cpi1": 400, "cpi2": {"code": 256},
                                            "reportRate": 500, "buttonSwap": false)"),
         "profiles.profile1.cpi2.code: 256 is not a whole number from 0 to 255"},
        {"rate", documentWith(R"("cpi1": 400, "cpi2": 800, "reportRate": 250,
                              "buttonSwap": false)"),
         "profiles.profile1.reportRate: 250"},
        {"swap as a number", documentWith(R"("cpi1": 400, "cpi2": 800, "reportRate": 125,
                                          "buttonSwap": 1)"),
         "profiles.profile1.buttonSwap"},
        {"missing swap", documentWith(R"("cpi1": 400, "cpi2": 800, "reportRate": 125)"),
         "profiles.profile1.buttonSwap: missing"},
        {"speed 0", documentWith(kBasics + R"(, "pointerSpeed": 0)"),
         "profiles.profile1.pointerSpeed: 0 is not a whole number from 1 to 20"},
        {"speed 21", documentWith(kBasics + R"(, "pointerSpeed": 21)"),
         "profiles.profile1.pointerSpeed"},
        {"speed 2.5", documentWith(kBasics + R"(, "pointerSpeed": 2.5)"),
         "profiles.profile1.pointerSpeed"},
        {"101 lines", documentWith(kBasics + R"(, "wheelLines": 101)"),
         "profiles.profile1.wheelLines"},
        {"page without lines", documentWith(kBasics + R"(, "onePage": true)"),
         "profiles.profile1.onePage: given without wheelLines"},
        {"a deeply nested value",
         documentWith(R"("cpi1": )" + std::string(100000, '[') + std::string(100000, ']') +
                      R"(, "cpi2": 800, "reportRate": 500, "buttonSwap": false)"),
         "profiles.profile1.cpi1: a list is not one of"},
        {"acceleration as text", documentWith(kBasics + R"(, "acceleration": "on")"),
         "profiles.profile1.acceleration"},
        {"unknown profile field", documentWith(kBasics + R"(, "dpi": 800)"),
         "profiles.profile1.dpi: not a field"},
        {"values of a never configured profile",
         documentWith(R"("configured": false, "cpi1": 400)"),
         "profiles.profile1.cpi1: not a field"},
        {"a fourth profile",
         R"({"format": "Glimmerhaus Pelko profiles", "version": 1, "mouse": {"vendorId": "2719",
             "productId": "0604"}, "profiles": {"profile4": {"configured": false}}})",
         "profiles.profile4: not a field"},
    };
    for (const Case& c : cases) {
        const ParsedProfiles parsed = parseProfilesJson(c.text);
        if (!c.refusal) {
            EXPECT_TRUE(parsed.document) << c.name << ": " << parsed.error;
            continue;
        }
        EXPECT_FALSE(parsed.document) << c.name << " was accepted";
        EXPECT_NE(parsed.error.find(c.refusal), std::string::npos)
            << c.name << ": \"" << parsed.error << "\"";
    }
}
