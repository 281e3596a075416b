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
        {"an error on line 3", "{\n  \"format\": 1,\n  \"version\" 1\n}",
         "not JSON: line 3"},
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

// What a document says is what the file held: codes where the controls offer none, pointer
// settings only where given, profiles the file does not name left out.
TEST(ProfilesJson, ValuesAndCodesComeBackAsWritten) {
    ProfilesDocument document;
    document.vendorId = 0x2719;
    document.productId = 0x0604;
    document.mouseName = "Glimmerhaus Pelko";
    document.firmware = "1.2.7";
    document.saved = "2026-12-09T18:30:00Z";
    SavedProfile first{true, {16, 12, 1, 0, 7, false, WheelSetting{3, true}}};
    SavedProfile second{true, {64, 8, 4, 9, std::nullopt, std::nullopt, std::nullopt}};
    document.profiles[0] = first;
    document.profiles[1] = second;
    document.profiles[2] = SavedProfile{false, {}};

    const std::string text = profilesJson(document);
    EXPECT_NE(text.find(R"("cpi1": 800)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("code": 12)"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("reportRate": 1000)"), std::string::npos) << text;
    const ParsedProfiles parsed = parseProfilesJson(text);
    ASSERT_TRUE(parsed.document) << parsed.error;
    const ProfilesDocument& back = *parsed.document;
    EXPECT_EQ(back.firmware, "1.2.7");
    EXPECT_EQ(back.saved, document.saved);
    const ProfileValues& a = back.profiles[0]->values;
    EXPECT_EQ(a.cpi1Code, 16);
    EXPECT_EQ(a.cpi2Code, 12);
    EXPECT_EQ(a.rateCode, 1);
    EXPECT_EQ(a.swapCode, 0);
    EXPECT_EQ(a.pointerSpeed, 7);
    EXPECT_EQ(a.accelerationOn, false);
    ASSERT_TRUE(a.wheel);
    EXPECT_EQ(a.wheel->lines, 3);
    EXPECT_TRUE(a.wheel->onePage);
    const ProfileValues& b = back.profiles[1]->values;
    EXPECT_EQ(b.cpi1Code, 64);
    EXPECT_EQ(b.rateCode, 4);
    EXPECT_EQ(b.swapCode, 9);
    EXPECT_FALSE(b.pointerSpeed || b.accelerationOn || b.wheel);
    ASSERT_TRUE(back.profiles[2]);
    EXPECT_FALSE(back.profiles[2]->configured);
}
