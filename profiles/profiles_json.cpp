#include "profiles/profiles_json.h"

#include "device/mouse_ids.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace {

// Written in a fixed order of keys; read into std::map-based objects, whose growth never
// copies what they hold (an ordered object grows by copying its members, recursively, which a
// deeply nested value in a file would turn into a stack overflow).
using OrderedJson = nlohmann::ordered_json;
using Json = nlohmann::json;

// The values the controls offer and their codes; a code no control offers is written as
// {"code": n}.
struct Choice {
    int value;
    uint8_t code;
};
constexpr Choice kCpiChoices[] = {{400, 8}, {800, 16}, {1600, 32}, {3200, 64}};
constexpr Choice kRateChoices[] = {{125, 8}, {500, 2}, {1000, 1}};
constexpr int kSlowestSpeed = 1, kFastestSpeed = 20;
constexpr int kFewestLines = 1, kMostLines = 100;
const char* const kProfileKeys[kProfileCount] = {"profile1", "profile2", "profile3"};

template <size_t N> OrderedJson choiceJson(const Choice (&choices)[N], uint8_t code) {
    for (const Choice& choice : choices)
        if (choice.code == code) return choice.value;
    return OrderedJson{{"code", code}};
}

OrderedJson swapJson(uint8_t code) {
    if (code <= 1) return code == 1;
    return OrderedJson{{"code", code}};
}

std::string hexId(uint16_t id) {
    char text[8];
    std::snprintf(text, sizeof(text), "%04X", unsigned(id));
    return text;
}

OrderedJson profileJson(const SavedProfile& saved) {
    if (!saved.configured) return OrderedJson{{"configured", false}};
    const ProfileValues& v = saved.values;
    OrderedJson profile = {{"cpi1", choiceJson(kCpiChoices, v.cpi1Code)},
                           {"cpi2", choiceJson(kCpiChoices, v.cpi2Code)},
                           {"reportRate", choiceJson(kRateChoices, v.rateCode)},
                           {"buttonSwap", swapJson(v.swapCode)}};
    if (v.pointerSpeed) profile["pointerSpeed"] = *v.pointerSpeed;
    if (v.accelerationOn) profile["acceleration"] = *v.accelerationOn;
    if (v.wheel) {
        profile["wheelLines"] = v.wheel->lines;
        profile["onePage"] = v.wheel->onePage;
    }
    return profile;
}

// A check that failed: the field's path and what is wrong with it.
struct Refusal {
    std::string text;
};

// A text from the file as a message quotes it: one short line, whatever the file holds.
std::string clipped(const std::string& text) {
    constexpr size_t kLongest = 40;
    return text.size() <= kLongest ? text : text.substr(0, kLongest) + "...";
}

// A value as a message shows it: a list or an object is named, never written out (a deeply
// nested one would be written out recursively).
std::string shown(const Json& value) {
    if (value.is_object()) return "an object";
    if (value.is_array()) return "a list";
    return clipped(value.dump(-1, ' ', false, Json::error_handler_t::replace));
}

std::string join(const std::string& path, const char* key) {
    return path.empty() ? std::string(key) : path + "." + key;
}

[[noreturn]] void refuse(const std::string& field, const std::string& what) {
    throw Refusal{field + ": " + what};
}

const Json& member(const Json& object, const std::string& path, const char* key) {
    const auto found = object.find(key);
    if (found == object.end()) refuse(join(path, key), "missing");
    return *found;
}

void onlyKnownKeys(const Json& object, const std::string& path,
                   std::initializer_list<const char*> known) {
    for (const auto& item : object.items()) {
        bool isKnown = false;
        for (const char* key : known)
            isKnown = isKnown || item.key() == key;
        if (!isKnown) refuse(join(path, clipped(item.key()).c_str()), "not a field of this format");
    }
}

const Json& objectAt(const Json& value, const std::string& path) {
    if (!value.is_object()) refuse(path, "must be an object");
    return value;
}

int integerIn(const Json& value, const std::string& path, int least, int most) {
    if (!value.is_number_integer() || value.get<long long>() < least ||
        value.get<long long>() > most)
        refuse(path, shown(value) + " is not a whole number from " + std::to_string(least) +
                         " to " + std::to_string(most));
    return int(value.get<long long>());
}

bool boolean(const Json& value, const std::string& path) {
    if (!value.is_boolean()) refuse(path, shown(value) + " is not true or false");
    return value.get<bool>();
}

std::string text(const Json& value, const std::string& path) {
    if (!value.is_string()) refuse(path, "must be a text");
    return value.get<std::string>();
}

uint8_t codeOf(const Json& value, const std::string& path) {
    onlyKnownKeys(value, path, {"code"});
    return uint8_t(integerIn(member(value, path, "code"), join(path, "code"), 0, 255));
}

template <size_t N>
uint8_t choiceCode(const Json& value, const std::string& path, const Choice (&choices)[N]) {
    if (value.is_object()) return codeOf(value, path);
    std::string offered;
    for (const Choice& choice : choices) {
        if (value.is_number_integer() && value.get<long long>() == choice.value) return choice.code;
        offered += (offered.empty() ? "" : ", ") + std::to_string(choice.value);
    }
    refuse(path, shown(value) + " is not one of " + offered + " (or {\"code\": 0 to 255})");
}

uint8_t swapCode(const Json& value, const std::string& path) {
    if (value.is_object()) return codeOf(value, path);
    if (!value.is_boolean()) refuse(path, shown(value) + " is not true, false or {\"code\": n}");
    return value.get<bool>() ? 1 : 0;
}

ProfileValues profileValues(const Json& profile, const std::string& path) {
    onlyKnownKeys(profile, path,
                  {"configured", "cpi1", "cpi2", "reportRate", "buttonSwap", "pointerSpeed",
                   "acceleration", "wheelLines", "onePage"});
    ProfileValues v;
    v.cpi1Code = choiceCode(member(profile, path, "cpi1"), join(path, "cpi1"), kCpiChoices);
    v.cpi2Code = choiceCode(member(profile, path, "cpi2"), join(path, "cpi2"), kCpiChoices);
    v.rateCode =
        choiceCode(member(profile, path, "reportRate"), join(path, "reportRate"), kRateChoices);
    v.swapCode = swapCode(member(profile, path, "buttonSwap"), join(path, "buttonSwap"));
    if (profile.contains("pointerSpeed"))
        v.pointerSpeed = integerIn(profile["pointerSpeed"], join(path, "pointerSpeed"),
                                   kSlowestSpeed, kFastestSpeed);
    if (profile.contains("acceleration"))
        v.accelerationOn = boolean(profile["acceleration"], join(path, "acceleration"));
    if (profile.contains("wheelLines")) {
        WheelSetting wheel;
        wheel.lines =
            integerIn(profile["wheelLines"], join(path, "wheelLines"), kFewestLines, kMostLines);
        if (profile.contains("onePage"))
            wheel.onePage = boolean(profile["onePage"], join(path, "onePage"));
        v.wheel = wheel;
    } else if (profile.contains("onePage")) {
        refuse(join(path, "onePage"), "given without wheelLines");
    }
    return v;
}

SavedProfile savedProfile(const Json& value, const std::string& path) {
    const Json& profile = objectAt(value, path);
    SavedProfile saved;
    saved.configured = true;
    if (profile.contains("configured"))
        saved.configured = boolean(profile["configured"], join(path, "configured"));
    if (!saved.configured) {
        onlyKnownKeys(profile, path, {"configured"});
        return saved;
    }
    saved.values = profileValues(profile, path);
    return saved;
}

uint16_t hexIdOf(const Json& value, const std::string& path) {
    const std::string id = text(value, path);
    if (id.size() != 4 || id.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        refuse(path, "\"" + id + "\" is not four hexadecimal digits");
    return uint16_t(std::stoul(id, nullptr, 16));
}

// Format and version come first: a newer version may say anything else differently.
void checkFormat(const Json& root) {
    const Json& format = member(root, "", "format");
    if (!format.is_string() || format.get<std::string>() != kProfilesFormatName)
        throw Refusal{"not a Pelko profiles file (\"format\" is not \"" +
                      std::string(kProfilesFormatName) + "\")"};
    const int version = integerIn(member(root, "", "version"), "version", 1, 1 << 30);
    if (version > kProfilesFormatVersion)
        throw Refusal{"the file has format version " + std::to_string(version) +
                      ", from a newer program; this one reads version " +
                      std::to_string(kProfilesFormatVersion)};
}

void readMouse(const Json& root, ProfilesDocument& document) {
    const Json& mouse = objectAt(member(root, "", "mouse"), "mouse");
    onlyKnownKeys(mouse, "mouse", {"name", "vendorId", "productId", "firmware"});
    if (mouse.contains("name")) document.mouseName = text(mouse["name"], "mouse.name");
    if (mouse.contains("firmware")) document.firmware = text(mouse["firmware"], "mouse.firmware");
    document.vendorId = hexIdOf(member(mouse, "mouse", "vendorId"), "mouse.vendorId");
    document.productId = hexIdOf(member(mouse, "mouse", "productId"), "mouse.productId");
    if (document.vendorId != kPelkoVendorId || document.productId != kPelkoProductId)
        throw Refusal{
            "the file is for another mouse: " +
            (document.mouseName.empty() ? std::string("unnamed") : clipped(document.mouseName)) +
            " (vendor " + hexId(document.vendorId) + ", product " + hexId(document.productId) +
            ")"};
}

void readProfiles(const Json& root, ProfilesDocument& document) {
    const Json& profiles = objectAt(member(root, "", "profiles"), "profiles");
    onlyKnownKeys(profiles, "profiles", {"profile1", "profile2", "profile3"});
    if (profiles.empty()) refuse("profiles", "names no profile");
    for (int index = 0; index < kProfileCount; ++index) {
        const char* key = kProfileKeys[index];
        if (profiles.contains(key))
            document.profiles[index] = savedProfile(profiles[key], join("profiles", key));
    }
}

ProfilesDocument documentOf(const Json& root) {
    objectAt(root, "the file");
    checkFormat(root);
    onlyKnownKeys(root, "", {"format", "version", "mouse", "saved", "profiles"});
    ProfilesDocument document;
    readMouse(root, document);
    if (root.contains("saved")) document.saved = text(root["saved"], "saved");
    readProfiles(root, document);
    return document;
}

// "[json.exception.parse_error.101] parse error at line 3, column 7: syntax error …" →
// "line 3, column 7: syntax error …".
std::string syntaxError(const std::string& what) {
    const std::string marker = " at line ";
    const size_t at = what.find(marker);
    return "not JSON: " + (at == std::string::npos ? what : what.substr(at + 4));
}

} // namespace

std::string profilesJson(const ProfilesDocument& document) {
    OrderedJson root = {{"format", kProfilesFormatName}, {"version", kProfilesFormatVersion}};
    OrderedJson mouse = {{"name", document.mouseName},
                         {"vendorId", hexId(document.vendorId)},
                         {"productId", hexId(document.productId)}};
    if (!document.firmware.empty()) mouse["firmware"] = document.firmware;
    root["mouse"] = mouse;
    root["saved"] = document.saved;
    OrderedJson profiles = OrderedJson::object();
    for (int index = 0; index < kProfileCount; ++index)
        if (document.profiles[index])
            profiles[kProfileKeys[index]] = profileJson(*document.profiles[index]);
    root["profiles"] = profiles;
    // Invalid UTF-8 in a name is replaced rather than thrown over.
    return root.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

ParsedProfiles parseProfilesJson(std::string_view input) {
    ParsedProfiles parsed;
    try {
        parsed.document = documentOf(Json::parse(input.begin(), input.end()));
    } catch (const Json::parse_error& e) {
        parsed.error = syntaxError(e.what());
    } catch (const Refusal& refusal) {
        parsed.error = refusal.text;
    } catch (const std::exception& e) {
        parsed.error = e.what();
    }
    return parsed;
}
