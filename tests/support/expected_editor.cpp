#include "expected_editor.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

namespace test_support {

namespace {

// The flag bits a record's layout and the panel's boxes depend on.
constexpr std::uint32_t kDiffuseBit = 0x00040000;
// The panel's six check boxes, in the order of the material's flag table:
// "Использовать diff. канал (?)", "Использовать доп. настройки", "Видимость
// с 2х сторон ", "Подсвечивать diff. текстуру ", "Подсвечивать alfa
// текстуру", "Использовать прозрачность цветов ".
constexpr std::array<std::uint32_t, 6> kFlagBoxBits{0x00800000, 0x00008000, 0x10000000,
                                                    0x80000000, 0x02000000, 0x20000000};
constexpr std::uint32_t kExtraSettings = 0x00008000;
constexpr std::uint32_t kDoubleSided = 0x10000000;
constexpr std::uint32_t kDiffuseHighlight = 0x80000000;
constexpr std::uint32_t kAlphaHighlight = 0x02000000;
constexpr std::uint32_t kColorTransparency = 0x20000000;
constexpr std::uint32_t kEditorBits = 0x00808000 | 0x10000000 | 0x80000000 | 0x02000000 | 0x20000000;

constexpr int kReflection = 0;
constexpr int kDiffuse = 1;
constexpr int kAlpha = 2;

// round(numerator / denominator), a half to the even neighbour.
int roundedQuotient(int numerator, int denominator) {
    int quotient = numerator / denominator;
    const int twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

// Where a bar shows a stored value: 100 times it, rounded, within 0..100.
int positionOf(float value) {
    if (!(value > 0.0F)) return 0;
    if (value >= 1.0F) return 100;
    return static_cast<int>(std::nearbyint(100.0 * static_cast<double>(value)));
}

// What a colour bar's position writes: its colour byte over 255.
float colourValueOf(int position) { return static_cast<float>(roundedQuotient(position * 255, 100) / 255.0); }

float densityOf(int position) { return static_cast<float>(position / 100.0); }

// A stored component kept beside an edited one: the material stores a
// colour whole, within 0..1.
float clamped(float value) {
    if (value >= 0.0F && value <= 1.0F) return value;
    return value > 1.0F ? 1.0F : 0.0F;
}

std::array<float, 3>& colourOf(RecordBytes& record, std::size_t channel) {
    return channel == 0 ? record.ambient : channel == 1 ? record.diffuse : record.emission;
}

std::string& nameOf(RecordBytes& record, int kind) {
    return kind == kReflection ? record.reflectionName : kind == kDiffuse ? record.diffuseName : record.alphaName;
}

const std::string& nameOf(const RecordBytes& record, int kind) {
    return nameOf(const_cast<RecordBytes&>(record), kind);
}

constexpr std::array<std::uint32_t, 3> kNameBits{kReflectionBit, kDiffuseBit, kAlphaBit};

bool hasAnimation(const RecordBytes& record) { return (record.flags & kAnimationBit) != 0; }

std::uint32_t delayOf(const RecordBytes& record) {
    std::uint32_t delay = 0;
    for (int i = 3; i >= 0; --i) delay = delay << 8 | record.animation[static_cast<std::size_t>(6 + i)];
    return delay;
}

void dropAnimation(RecordBytes& record) {
    record.flags &= ~kAnimationBit;
    record.animation.fill(0);
}

// "00" right before a four-character extension.
bool animatable(const std::string& diffuseName) {
    const std::size_t n = diffuseName.size();
    return n >= 6 && diffuseName[n - 6] == '0' && diffuseName[n - 5] == '0';
}

bool canHoldAlphaName(std::uint32_t flags, const std::string& diffuseName) {
    return !diffuseName.empty() && (flags & kImageAlphaBit) == 0;
}

void setName(RecordBytes& record, int kind, const std::string& name) {
    nameOf(record, kind) = name;
    const std::uint32_t bit = kNameBits[static_cast<std::size_t>(kind)];
    record.flags = name.empty() ? record.flags & ~bit : record.flags | bit;
    // A block stays only with a diffuse name that can carry it.
    if (kind == kDiffuse && hasAnimation(record) && !(animatable(name) && record.animation[0] >= 2))
        dropAnimation(record);
}

// The change made to the record, in the order the program makes it: names
// (an emptied alpha name before the diffuse name), animation, flags,
// densities, colours.
void applyChange(RecordBytes& record, const PanelChange& change) {
    const bool alphaEmptied = change.names[kAlpha] && change.names[kAlpha]->empty();
    const std::array<int, 3> order =
        alphaEmptied ? std::array{kReflection, kAlpha, kDiffuse} : std::array{kReflection, kDiffuse, kAlpha};
    for (const int kind : order)
        if (const auto& name = change.names[static_cast<std::size_t>(kind)]) setName(record, kind, *name);
    if (change.animation) {
        if (const auto& animation = *change.animation) {
            if (!hasAnimation(record)) record.animation.fill(0);
            record.flags |= kAnimationBit;
            record.animation[0] = animation->frames;
            for (int i = 0; i < 4; ++i)
                record.animation[static_cast<std::size_t>(6 + i)] =
                    static_cast<std::uint8_t>(animation->delay >> (8 * i));
        } else {
            dropAnimation(record);
        }
    }
    record.flags = (record.flags & ~change.flagsToClear) | change.flagsToSet;
    if (change.reflectionDensity) record.reflectionDensity = *change.reflectionDensity;
    if (change.density) record.density = *change.density;
    for (std::size_t channel = 0; channel < 3; ++channel) {
        const auto& edited = change.colours[channel];
        if (std::none_of(edited.begin(), edited.end(), [](const auto& value) { return value.has_value(); })) continue;
        std::array<float, 3>& colour = colourOf(record, channel);
        for (std::size_t i = 0; i < 3; ++i) colour[i] = edited[i].value_or(clamped(colour[i]));
    }
}

std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

template <std::size_t N>
bool sameBits(const std::array<float, N>& a, const std::array<float, N>& b) {
    return std::memcmp(a.data(), b.data(), sizeof(float) * N) == 0;
}

}  // namespace

bool PanelChange::empty() const {
    for (const auto& colour : colours)
        for (const auto& component : colour)
            if (component) return false;
    return !reflectionDensity && !density && !names[0] && !names[1] && !names[2] && flagsToSet == 0 &&
           flagsToClear == 0 && !animation;
}

bool sameRecord(const RecordBytes& a, const RecordBytes& b) {
    return a.flags == b.flags && sameBits(a.ambient, b.ambient) && sameBits(a.diffuse, b.diffuse) &&
           sameBits(a.emission, b.emission) && sameBits(a.density, b.density) &&
           sameBits(a.reflectionDensity, b.reflectionDensity) && a.reflectionName == b.reflectionName &&
           a.diffuseName == b.diffuseName && a.alphaName == b.alphaName && a.animation == b.animation &&
           sameBits(a.ambientFourth, b.ambientFourth) && sameBits(a.diffuseFourth, b.diffuseFourth) &&
           sameBits(a.emissionFourth, b.emissionFourth) && sameBits(a.specular, b.specular) &&
           sameBits(a.glossiness, b.glossiness);
}

ExpectedEditor::ExpectedEditor(ModelBytes model) : model_(std::move(model)) {
    rowTexts_.resize(model_.records.size());
    listAll();
}

std::string ExpectedEditor::savedFile() const { return withSavedHeader(encodeModel(model_)); }

std::string ExpectedEditor::rowText(std::size_t material, const std::array<std::string, 3>& names) const {
    std::string text = std::to_string(material + 1);
    text.insert(0, 1, '[').append("] ").append(names[0]).append(1, '|').append(names[1]).append(1, '|');
    return text.append(names[2]);
}

std::vector<std::string> ExpectedEditor::rowTexts() const {
    std::vector<std::string> texts;
    for (const std::size_t material : rows_) texts.push_back(rowTexts_[material]);
    return texts;
}

void ExpectedEditor::show(std::size_t material) {
    shown_ = material;
    const RecordBytes& record = model_.records[material];
    Panel panel;
    for (std::size_t channel = 0; channel < 3; ++channel) {
        const std::array<float, 3>& colour = colourOf(const_cast<RecordBytes&>(record), channel);
        for (std::size_t i = 0; i < 3; ++i) panel.positions[channel * 3 + i] = positionOf(colour[i]);
    }
    panel.positions[kReflectionDensityBar] = positionOf(record.reflectionDensity);
    panel.positions[kDensityBar] = positionOf(record.density);
    for (int kind = 0; kind < 3; ++kind) panel.names[static_cast<std::size_t>(kind)] = nameOf(record, kind);
    panel.editorFlags = record.flags & kEditorBits;
    panel.animated = hasAnimation(record);
    panel.frames = panel.animated ? record.animation[0] : 2;
    panel.delay = panel.animated ? delayOf(record) : 10;
    animationBoxesEnabled_ = panel.animated;
    panel_ = shownPanel_ = panel;
}

PanelChange ExpectedEditor::panelChange() const {
    const Panel& was = shownPanel_;
    PanelChange change;
    for (std::size_t bar = 0; bar < kColourBars; ++bar)
        if (panel_.positions[bar] != was.positions[bar])
            change.colours[bar / 3][bar % 3] = colourValueOf(panel_.positions[bar]);
    if (panel_.positions[kReflectionDensityBar] != was.positions[kReflectionDensityBar])
        change.reflectionDensity = densityOf(panel_.positions[kReflectionDensityBar]);
    if (panel_.positions[kDensityBar] != was.positions[kDensityBar])
        change.density = densityOf(panel_.positions[kDensityBar]);
    for (std::size_t kind = 0; kind < 3; ++kind)
        if (panel_.names[kind] != was.names[kind]) change.names[kind] = panel_.names[kind];
    change.flagsToSet = panel_.editorFlags & ~was.editorFlags;
    change.flagsToClear = was.editorFlags & ~panel_.editorFlags;
    // Checked settings animate only a "00" name with two frames or more;
    // otherwise they take the animation away, as unchecked ones do.
    const bool animationChanged = panel_.animated != was.animated ||
                                  (panel_.animated && (panel_.frames != was.frames || panel_.delay != was.delay));
    const bool animates = panel_.animated && panel_.frames >= 2 && animatable(panel_.names[kDiffuse]);
    if (animationChanged && (animates || hasAnimation(model_.records[shown_]))) {
        change.animation = std::optional<PanelChange::Animation>();
        if (animates) *change.animation = PanelChange::Animation{panel_.frames, panel_.delay};
    }
    return change;
}

std::optional<PanelChange> ExpectedEditor::writeBack() {
    PanelChange change = panelChange();
    shownPanel_ = panel_;
    if (change.empty()) return std::nullopt;
    RecordBytes& material = model_.records[shown_];
    const RecordBytes before = material;
    applyChange(material, change);
    if (!sameRecord(before, material)) recordStep(shown_, before, material);
    return change;
}

void ExpectedEditor::recordStep(std::size_t material, const RecordBytes& before, const RecordBytes& after) {
    steps_.resize(done_);
    if (saved_ && *saved_ > done_) saved_.reset();
    steps_.push_back({material, before, after});
    ++done_;
    if (steps_.size() > kMostSteps) {
        steps_.erase(steps_.begin());
        --done_;
        ++droppedSteps_;
        if (saved_) saved_ = *saved_ == 0 ? std::nullopt : std::optional<std::size_t>(*saved_ - 1);
    }
}

void ExpectedEditor::listAll() {
    rows_.clear();
    for (std::size_t m = 0; m < model_.records.size(); ++m) {
        rows_.push_back(m);
        rowTexts_[m] =
            rowText(m, {model_.records[m].reflectionName, model_.records[m].diffuseName, model_.records[m].alphaName});
    }
    selectRow(rows_.empty() ? -1 : 0);
}

void ExpectedEditor::selectRow(int row) {
    selectedRow_ = row;
    if (row >= 0) show(rows_[static_cast<std::size_t>(row)]);
}

void ExpectedEditor::restore(std::size_t material, const RecordBytes& state) {
    model_.records[material] = state;
    if (std::find(rows_.begin(), rows_.end(), material) == rows_.end()) listAll();  // a search hid it
    const RecordBytes& record = model_.records[material];
    rowTexts_[material] = rowText(material, {record.reflectionName, record.diffuseName, record.alphaName});
    selectRow(static_cast<int>(std::find(rows_.begin(), rows_.end(), material) - rows_.begin()));
}

// A typed name is taken on Enter as the name box takes it: capitals, ".BMP"
// added where no extension is found, refused when a material cannot hold
// it or the file could not store the alpha name beside the diffuse name.
Notice ExpectedEditor::enterName(int kind, const std::string& typed) {
    if (rows_.empty()) return Notice::None;
    std::string name = upperCase(typed);
    if (!name.empty() && name.find(".BMP") == std::string::npos && name.find(".TGA") == std::string::npos)
        name += ".BMP";
    if (name.size() > 255 || name.find('|') != std::string::npos) return Notice::NameRefused;
    const std::string& diffuse = kind == kDiffuse ? name : panel_.names[kDiffuse];
    const std::string& alpha = kind == kAlpha ? name : panel_.names[kAlpha];
    if (!alpha.empty() && !canHoldAlphaName(model_.records[shown_].flags, diffuse))
        return kind == kAlpha ? Notice::AlphaNameNotStored : Notice::AlphaNameWouldVanish;
    panel_.names[static_cast<std::size_t>(kind)] = name;
    rowTexts_[shown_] = rowText(shown_, panel_.names);
    return kind == kDiffuse ? checkAnimation() : Notice::None;
}

Notice ExpectedEditor::checkAnimation() {
    if (!panel_.animated) return Notice::None;
    Notice notice = Notice::None;
    if (!animatable(panel_.names[kDiffuse])) {
        notice = Notice::NotAnimatable;
        panel_.animated = false;
    }
    animationBoxesEnabled_ = panel_.animated;
    return notice;
}

bool ExpectedEditor::flagBoxChecked(int box) const {
    return (panel_.editorFlags & kFlagBoxBits[static_cast<std::size_t>(box)]) != 0;
}

// The boxes' rules, run when the user clicks one.
void ExpectedEditor::toggleFlag(int box) {
    const std::uint32_t bit = kFlagBoxBits[static_cast<std::size_t>(box)];
    std::uint32_t& flags = panel_.editorFlags;
    flags ^= bit;
    const bool checked = (flags & bit) != 0;
    if (bit == kDoubleSided || bit == kColorTransparency) {
        if (checked) flags |= kExtraSettings;
    } else if (bit == kDiffuseHighlight || bit == kAlphaHighlight) {
        if (checked)
            flags = (flags | kExtraSettings) & ~(bit == kDiffuseHighlight ? kAlphaHighlight : kDiffuseHighlight);
    } else if (bit == kExtraSettings && !checked) {
        flags &= ~(kDoubleSided | kDiffuseHighlight | kAlphaHighlight | kColorTransparency);
    }
}

// The digits up to the first other character; a count outside 2..255
// (however many digits it has) is refused.
Notice ExpectedEditor::enterFrames(const std::string& text) {
    int value = 0;
    for (std::size_t i = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), 256);
    if (value < 2 || value > 255) return Notice::FramesRefused;
    panel_.frames = static_cast<std::uint8_t>(value);
    return Notice::None;
}

// A write-back that changes the material is a new step, which is never
// the saved one.
bool ExpectedEditor::closingAsks() const {
    if (saved_ != done_) return true;
    const PanelChange change = panelChange();
    if (change.empty()) return false;
    RecordBytes after = model_.records[shown_];
    applyChange(after, change);
    return !sameRecord(after, model_.records[shown_]);
}

ExpectedEditor::Outcome ExpectedEditor::perform(const UserAction& action) {
    Outcome outcome;
    const auto writeBackNow = [&] {
        const std::size_t material = shown_;
        if (std::optional<PanelChange> change = writeBack()) {
            outcome.changedMaterial = material;
            outcome.change = std::move(*change);
        }
    };
    const auto moveTo = [&](int row) {
        if (row == selectedRow_ || row < 0 || row >= static_cast<int>(rows_.size())) return;
        writeBackNow();
        selectRow(row);
    };
    switch (action.kind) {
        case ActionKind::ClickRow:
            moveTo(action.index);
            break;
        case ActionKind::ArrowUp:
            moveTo(selectedRow_ - 1);
            break;
        case ActionKind::ArrowDown:
            moveTo(selectedRow_ + 1);
            break;
        case ActionKind::DragBar:
        case ActionKind::ClickBar:
            panel_.positions[static_cast<std::size_t>(action.index)] = action.to;
            break;
        case ActionKind::RightClickBar: {
            int& position = panel_.positions[static_cast<std::size_t>(action.index)];
            position = position == 100 ? 0 : 100;
            break;
        }
        case ActionKind::ToggleFlag:
            toggleFlag(action.index);
            break;
        case ActionKind::TypeName:
            break;  // taken only with Enter
        case ActionKind::EnterName:
            outcome.notice = enterName(action.index, action.text);
            break;
        case ActionKind::ToggleAnimation:
            panel_.animated = !panel_.animated;
            outcome.notice = checkAnimation();
            break;
        case ActionKind::EnterFrames:
            outcome.notice = enterFrames(action.text);
            break;
        case ActionKind::EnterDelay: {
            std::uint32_t delay = 0;  // wraps at 32 bits
            for (std::size_t i = 0; i < action.text.size() && action.text[i] >= '0' && action.text[i] <= '9'; ++i)
                delay = delay * 10U + static_cast<std::uint32_t>(action.text[i] - '0');
            panel_.delay = delay;
            break;
        }
        case ActionKind::ChooseColour:
            // The chosen colour goes to the nearest of the bars' levels.
            for (std::size_t i = 0; i < 3; ++i)
                panel_.positions[static_cast<std::size_t>(action.index) * 3 + i] =
                    roundedQuotient(100 * action.colour[i], 255);
            break;
        case ActionKind::Search: {
            writeBackNow();
            const std::string text = upperCase(action.text);
            rows_.clear();
            for (std::size_t m = 0; m < model_.records.size(); ++m) {
                const RecordBytes& record = model_.records[m];
                const std::array<std::string, 3> names{record.reflectionName, record.diffuseName, record.alphaName};
                rowTexts_[m] = rowText(m, names);
                if (!text.empty() && (names[0] + "|" + names[1] + "|" + names[2]).find(text) != std::string::npos)
                    rows_.push_back(m);
            }
            // Without hits the panel goes on showing its material.
            selectedRow_ = -1;
            if (!rows_.empty()) selectRow(0);
            break;
        }
        case ActionKind::ShowAll:
            writeBackNow();
            listAll();
            break;
        case ActionKind::Undo:
        case ActionKind::Redo: {
            writeBackNow();
            const bool undo = action.kind == ActionKind::Undo;
            if (undo ? !canUndo() : !canRedo()) break;
            const Step& step = undo ? steps_[--done_] : steps_[done_++];
            restore(step.material, undo ? step.before : step.after);
            break;
        }
        case ActionKind::Save:
            writeBackNow();
            saved_ = done_;
            break;
        case ActionKind::CloseAndCancel:
            writeBackNow();
            if (saved_ != done_) outcome.notice = Notice::SaveQuestion;
            break;
    }
    return outcome;
}

}  // namespace test_support
