#include "user_actions.h"

#include <bit>
#include <limits>
#include <vector>

#include "expected_editor.h"

namespace test_support {

namespace {

constexpr std::array<const char*, 3> kKindNames{"Env", "Diff", "Alfa"};
constexpr std::array<const char*, kBars> kBarNames{
    "ambient red",  "ambient green",  "ambient blue",  "diffuse red",        "diffuse green", "diffuse blue",
    "emission red", "emission green", "emission blue", "reflection density", "density"};
constexpr std::array<const char*, 6> kFlagBoxNames{"diff. channel",   "extra settings", "two-sided",
                                                   "diff. highlight", "alfa highlight", "colour transparency"};
constexpr std::array<const char*, 3> kChannelNames{"ambient", "diffuse", "emission"};

// Names of every sort: plain, animatable, lower case, Cyrillic (code page
// 1251), holding the separator, the longest a record holds, empty.
const std::vector<std::string> kStoredNames{
    "",
    "WOOD.BMP",
    "SEA00.BMP",
    "FIRE00.BMP",
    "rock.bmp",
    "ENV.BMP",
    "GLASS+.BMP",
    "SKY.TGA",
    "\xCA\xC0\xCC\xC5\xCD\xDC.BMP",
    "A|B.BMP",
    std::string(255, 'L'),
    "2FT19.BMP",
};

// What a user types: names the box takes (with ".BMP" added or not), names
// it refuses (256 characters once ".BMP" is added, the separator), empty.
const std::vector<std::string> kTypedNames{
    "stone",  "WOOD00", "sea00.bmp", "SKY.TGA",  "A.BMP.OLD",           "",
    "GLASS+", "fire00", "x",         "ROCK.BMP", std::string(252, 'A'), "A|B",
};
const std::vector<std::string> kTypedFrames{"1", "2", "4", "17", "255", "256", "0", "99999999999", ""};
const std::vector<std::string> kTypedDelays{"0", "10", "500", "123456789", "4294967296", "4294967295", ""};
const std::vector<std::string> kSearchTexts{"BMP", "00", "|", "||", "WOOD", "NOTHING", "", ".TGA", "+"};

template <class T>
const T& pick(std::mt19937& random, const std::vector<T>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

int uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
bool chance(std::mt19937& random, int percent) { return uniform(random, 1, 100) <= percent; }

// Mostly within 0..1 on a bar's levels or between them, now and then
// outside, or not a number.
float randomValue(std::mt19937& random) {
    switch (uniform(random, 0, 9)) {
        case 0:
            return 1.7F;
        case 1:
            return -0.25F;
        case 2:
            return std::numeric_limits<float>::quiet_NaN();
        case 3:
            return static_cast<float>(uniform(random, 0, 100)) / 100.0F;
        default:
            return static_cast<float>(uniform(random, 0, 1000)) / 1000.0F;
    }
}

RecordBytes randomEditingRecord(std::mt19937& random) {
    RecordBytes record;
    // Named bits at random, with some the format does not name and 0x01000000 now and then.
    record.flags = static_cast<std::uint32_t>(random()) & 0xBA808000U;
    if (chance(random, 80)) record.flags |= 0x00000001;
    if (chance(random, 30)) record.flags |= 0x00100100;
    if (chance(random, 10)) record.flags |= kImageAlphaBit;
    for (auto* colour : {&record.ambient, &record.diffuse, &record.emission})
        for (float& c : *colour) c = randomValue(random);
    record.density = randomValue(random);
    for (float* value : {&record.ambientFourth, &record.diffuseFourth, &record.emissionFourth, &record.glossiness})
        *value = randomValue(random);
    for (float& c : record.specular) c = randomValue(random);

    record.diffuseName = pick(random, kStoredNames);
    if (!record.diffuseName.empty() && chance(random, 90)) record.flags |= 0x00040000;
    if (chance(random, 40)) {
        record.flags |= kReflectionBit;
        record.reflectionName = pick(random, kStoredNames);
        record.reflectionDensity = randomValue(random);
    }
    if (chance(random, 30)) {
        record.flags |= kAlphaBit;
        record.alphaName = pick(random, kStoredNames);
    }
    if (chance(random, 35)) {
        record.flags |= kAnimationBit;
        for (auto& byte : record.animation) byte = static_cast<std::uint8_t>(random());
        // Counts the panel refuses (0, 1) as often as those it takes.
        record.animation[0] = static_cast<std::uint8_t>(pick(random, std::vector<int>{0, 1, 2, 4, 17, 42, 255}));
    }
    // What reading the record gives.
    if ((record.flags & kReflectionBit) == 0) record.reflectionDensity = 0;
    if (!storesAlphaName(record)) record.alphaName.clear();
    if ((record.flags & kAnimationBit) == 0) record.animation.fill(0);
    return record;
}

// A text to search for: part of a material's names, or one of a few that
// find many, none or every material.
std::string searchText(std::mt19937& random, const ExpectedEditor& editor) {
    if (chance(random, 50)) return pick(random, kSearchTexts);
    const RecordBytes& record = pick(random, editor.model().records);
    const std::string joined = record.reflectionName + "|" + record.diffuseName + "|" + record.alphaName;
    const std::size_t start = static_cast<std::size_t>(uniform(random, 0, static_cast<int>(joined.size()) - 1));
    std::string text = joined.substr(start, static_cast<std::size_t>(uniform(random, 1, 6)));
    // The search box types capitals and only Latin letters are typed here.
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (static_cast<unsigned char>(c) >= 0x80)
            c = 'Q';
    return text;
}

}  // namespace

std::string describe(const UserAction& action) {
    const auto quoted = [](const std::string& text) {
        if (text.size() > 24)
            return std::string(1, '"').append(text.substr(0, 8)).append("...\" (") + std::to_string(text.size()) +
                   " characters)";
        return std::string(1, '"').append(text).append(1, '"');
    };
    const auto index = static_cast<std::size_t>(action.index);
    switch (action.kind) {
        case ActionKind::ClickRow:
            return "click row " + std::to_string(action.index);
        case ActionKind::ArrowUp:
            return "arrow up";
        case ActionKind::ArrowDown:
            return "arrow down";
        case ActionKind::DragBar:
            return "drag " + std::string(kBarNames[index]) + " from " + std::to_string(action.from) + " to " +
                   std::to_string(action.to);
        case ActionKind::ClickBar:
            return "click " + std::string(kBarNames[index]) + " at " + std::to_string(action.to);
        case ActionKind::RightClickBar:
            return "right-click " + std::string(kBarNames[index]);
        case ActionKind::ToggleFlag:
            return "toggle " + std::string(kFlagBoxNames[index]);
        case ActionKind::TypeName:
            return "type name " + std::string(kKindNames[index]) + " " + quoted(action.text);
        case ActionKind::EnterName:
            return "enter name " + std::string(kKindNames[index]) + " " + quoted(action.text);
        case ActionKind::ToggleAnimation:
            return "toggle animation";
        case ActionKind::EnterFrames:
            return "enter frames " + quoted(action.text);
        case ActionKind::EnterDelay:
            return "enter delay " + quoted(action.text);
        case ActionKind::ChooseColour:
            return "choose " + std::string(kChannelNames[index]) + " colour " + std::to_string(action.colour[0]) + "," +
                   std::to_string(action.colour[1]) + "," + std::to_string(action.colour[2]);
        case ActionKind::Search:
            return "search " + quoted(action.text);
        case ActionKind::ShowAll:
            return "show all";
        case ActionKind::Undo:
            return "undo";
        case ActionKind::Redo:
            return "redo";
        case ActionKind::Save:
            return "save";
        case ActionKind::CloseAndCancel:
            return "close and cancel";
    }
    return "?";
}

ModelBytes randomEditingModel(std::mt19937& random) {
    ModelBytes model;
    model.version = chance(random, 20) ? 41 : 29;
    const int count = uniform(random, 6, 30);
    for (int i = 0; i < count; ++i) model.records.push_back(randomEditingRecord(random));
    model.remainder = meshLikeBytes(random, static_cast<std::size_t>(uniform(random, 0, 400)));
    return model;
}

UserAction randomAction(std::mt19937& random, const ExpectedEditor& editor) {
    // Weights of the kinds, in the order of ActionKind.
    const bool rows = !editor.rows().empty();
    const std::array<int, 19> weights{rows ? 10 : 0,
                                      rows ? 3 : 0,
                                      rows ? 3 : 0,
                                      8,
                                      4,
                                      2,
                                      8,
                                      3,
                                      10,
                                      4,
                                      editor.animationBoxesEnabled() ? 4 : 0,
                                      editor.animationBoxesEnabled() ? 3 : 0,
                                      3,
                                      4,
                                      2,
                                      5,
                                      3,
                                      4,
                                      editor.closingAsks() ? 1 : 0};
    UserAction action;
    action.kind = static_cast<ActionKind>(std::discrete_distribution<int>(weights.begin(), weights.end())(random));
    switch (action.kind) {
        case ActionKind::ClickRow:
            action.index = uniform(random, 0, static_cast<int>(editor.rows().size()) - 1);
            break;
        // The pointer asks a bar for round(100 x / width), and the bar's
        // last pixel lies short of its width: the left button reaches 0..99,
        // 100 is the right button's.
        case ActionKind::DragBar:
            action.index = uniform(random, 0, kBars - 1);
            action.from = uniform(random, 0, 99);
            action.to = uniform(random, 0, 99);
            break;
        case ActionKind::ClickBar:
            action.index = uniform(random, 0, kBars - 1);
            action.to = uniform(random, 0, 99);
            break;
        case ActionKind::RightClickBar:
            action.index = uniform(random, 0, kBars - 1);
            break;
        case ActionKind::ToggleFlag:
            action.index = uniform(random, 0, 5);
            break;
        case ActionKind::TypeName:
        case ActionKind::EnterName:
            action.index = uniform(random, 0, 2);
            action.text = pick(random, kTypedNames);
            break;
        case ActionKind::EnterFrames:
            action.text = pick(random, kTypedFrames);
            break;
        case ActionKind::EnterDelay:
            action.text = pick(random, kTypedDelays);
            break;
        case ActionKind::ChooseColour:
            action.index = uniform(random, 0, 2);
            for (int& c : action.colour) c = uniform(random, 0, 255);
            break;
        case ActionKind::Search:
            action.text = searchText(random, editor);
            break;
        default:
            break;
    }
    return action;
}

}  // namespace test_support
