// The editor from its start to its end, driven as a user drives it: the
// texture folder found through "Skirvane.ini" or asked for, the commands of
// the menu (open, save, save as, texture folder, about, exit) with their
// outcome on disk and on screen, and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "model_bytes.h"
#include "temp_folder.h"
#include "version.h"

namespace {

using namespace editor_driver;
using test_support::readFileBytes;
using test_support::writeFileBytes;
namespace fs = std::filesystem;

constexpr char kFolderDialogTitle[] = "Выберите папку с изображениями\r[ для вьювера ]";
const std::vector<std::string> kOpen{"Файл", "Открыть.."};
const std::vector<std::string> kSave{"Файл", "Сохранить"};
const std::vector<std::string> kSaveAs{"Файл", "Сохранить как.."};
const std::vector<std::string> kExit{"Файл", "Выход"};
const std::vector<std::string> kTextureFolder{"Правка", "Путь к папке с изображениями.."};
const std::vector<std::string> kAbout{"Помощь", "О программе"};

// Writes a file whose name code page 1251 holds (the narrow file
// functions of the test would take it in another code page).
void writeFileAt(const std::string& path, const std::string& bytes) {
    std::ofstream(fs::path(fromCp1251(path)), std::ios::binary) << bytes;
}

std::string readFileAt(const std::string& path) {
    std::ifstream in(fs::path(fromCp1251(path)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string settingsWithFolder(const std::string& folder) { return "[Paths]\r\nMAPS=" + folder + "\r\n"; }

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(fromCp1251(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}


// A small model with the optional parts of a record and a remainder, with
// values that every control of the editor shows without loss.
std::string sampleModel() {
    test_support::RecordBytes plain;
    plain.flags = 0x00040000;  // diffuse texture
    plain.diffuse = {1, 1, 1};
    plain.density = 1;
    plain.diffuseName = "KAMEN.BMP";
    test_support::RecordBytes reflecting = plain;
    reflecting.flags |= test_support::kReflectionBit | test_support::kAlphaBit;
    reflecting.ambient = {0, 0, 1};
    reflecting.reflectionDensity = 0.5F;
    reflecting.reflectionName = "NEBO.BMP";
    reflecting.alphaName = "STEKLO+.BMP";
    test_support::ModelBytes model;
    model.records = {plain, reflecting};
    model.remainder = std::string("\x01\x00\x00\x00mesh\xFF\x00\x7F", 11) + std::string(300, '\x42');
    return test_support::encodeModel(model);
}

// One editor started for one test, with the helpers a user's steps need.
class EditorTest : public ::testing::Test {
protected:
    // Starts the editor with that settings file (none: no file) and the
    // arguments after its name.
    void start(const std::optional<std::string>& settings, const std::wstring& arguments = L"") {
        session_.emplace(SKIRVANE_EXE, settings, "Skirvane.textures", programFolderName_, arguments);
        ASSERT_TRUE(session_->started());
    }

    // Starts the editor with an existing texture folder and waits for its window.
    void startReady() {
        ASSERT_NO_FATAL_FAILURE(start(settingsWithFolder(toCp1251(userFolder_.path().wstring()))));
        ASSERT_NE(session_->mainWindow(), nullptr) << "the main window did not appear";
    }

    // A path in the user's own folder (beside the session's folder), as the
    // program's texts hold paths.
    std::string inFolder(const std::string& name) const { return toCp1251(userFolder_.path().wstring()) + "\\" + name; }

    fs::path settingsPath() const { return session_->programFolder() / EditorSession::kSettingsFile; }
    std::string settingsBytes() const {
        std::ifstream in(settingsPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::optional<std::string> storedFolder() const { return iniValue(settingsPath(), "Paths", "MAPS"); }

    void choose(const std::vector<std::string>& item) {
        ASSERT_TRUE(session_->chooseMenuItem(item)) << "no menu item " << item.back();
    }

    // Chooses a file in the dialog that `item` opens.
    void chooseFile(const std::vector<std::string>& item, const std::string& path) {
        ASSERT_TRUE(session_->chooseFile(item, path)) << "the file dialog of " << item.back() << " did not take " << path;
    }

    // The text of the message box that comes up, closed with OK.
    std::string answerMessageBox() {
        HWND box = session_->waitForMessageBox();
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return {};
        }
        EXPECT_EQ(windowText(box), "Skirvane") << "caption of the message box";
        const std::string text = messageText(box);
        pressButton(box, IDOK);
        EXPECT_TRUE(waitForWindowGone(box));
        return text;
    }

    // The file once the save chosen before is done: read while the program
    // replaces it, it would keep the program from doing so.
    std::string savedBytes(const std::string& path) {
        EXPECT_TRUE(session_->waitForEarlierCommands()) << "the About box did not come alone and go";
        return readFileAt(path);
    }

    void waitForEarlierCommands() {
        ASSERT_TRUE(session_->waitForEarlierCommands()) << "the About box did not come alone and go";
    }

    test_support::TempFolder userFolder_;
    std::wstring programFolderName_;  // none: the program lies in the session's folder
    std::optional<EditorSession> session_;
};

// --- the texture folder at start ---------------------------------------------------------

using StartUpTest = EditorTest;

TEST_F(StartUpTest, MissingSettingsFileMeansTheRootOfDriveZ) {
    ASSERT_NO_FATAL_FAILURE(start(std::nullopt));
    if (!isFolder("z:\\")) {
        EXPECT_NE(session_->waitForFolderDialog(kStartTimeout), nullptr) << "no drive Z: and no folder dialog";
        return;
    }
    // Under Wine drive Z: is the Unix root, so the default folder exists.
    ASSERT_NE(session_->mainWindow(), nullptr);
    EXPECT_TRUE(session_->dialogs().empty()) << "a dialog came";
    EXPECT_FALSE(fs::exists(settingsPath())) << "the settings file is written only by a choice";
}

TEST_F(StartUpTest, MissingFolderBringsTheFolderDialogWithItsTitle) {
    const std::string settings = settingsWithFolder(inFolder("нет такой папки"));
    ASSERT_NO_FATAL_FAILURE(start(settings));
    HWND dialog = session_->waitForFolderDialog(kStartTimeout);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(findDescendant(dialog, L"Static", kFolderDialogTitle), nullptr);
    EXPECT_EQ(windowText(GetWindow(dialog, GW_OWNER)), "Skirvane.textures") << "the dialog belongs to the main window";
    EXPECT_EQ(session_->mainWindow(0), nullptr) << "the main window shows only once the folder is known";
    pressButton(dialog, IDCANCEL);
}

TEST_F(StartUpTest, CancellingTheFolderDialogEndsTheProgram) {
    const std::string settings = settingsWithFolder(inFolder("нет такой папки"));
    ASSERT_NO_FATAL_FAILURE(start(settings));
    HWND dialog = session_->waitForFolderDialog(kStartTimeout);
    ASSERT_NE(dialog, nullptr);
    pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(session_->waitForExit());
    EXPECT_EQ(session_->exitCode(), std::optional<DWORD>(0));
    EXPECT_EQ(settingsBytes(), settings);
}

TEST_F(StartUpTest, ChosenFolderIsStoredWithoutABackslash) {
    const std::string chosen = inFolder("Текстуры");
    ASSERT_TRUE(fs::create_directory(fromCp1251(chosen)));
    ASSERT_NO_FATAL_FAILURE(start(settingsWithFolder(inFolder("нет такой папки"))));
    HWND dialog = session_->waitForFolderDialog(kStartTimeout);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session_->selectFolder(dialog, chosen));
    pressButton(dialog, IDOK);
    ASSERT_NE(session_->mainWindow(), nullptr) << "the main window did not appear after the choice";
    EXPECT_EQ(storedFolder(), chosen);
}

TEST_F(StartUpTest, EmptyStoredFolderNamesTheDriveRootAndAsksNothing) {
    const std::string settings = settingsWithFolder("");
    ASSERT_NO_FATAL_FAILURE(start(settings));
    ASSERT_NE(session_->mainWindow(), nullptr);
    EXPECT_TRUE(session_->dialogs().empty()) << "a dialog came";
    EXPECT_EQ(settingsBytes(), settings);
}

// --- the texture folder command ------------------------------------------------------------

// The program lies in a folder whose name code page 1251 cannot write: its
// settings file beside it is read and written all the same.
class TextureFolderCommandTest : public EditorTest {
protected:
    TextureFolderCommandTest() { programFolderName_ = L"\u041F\u0440\u043E\u0431\u0430 \u00E9 \u8BD5\u9A8C"; }  // "Проба é 试验"
};

TEST_F(TextureFolderCommandTest, DialogStartsAtTheStoredFolder) {
    ASSERT_TRUE(fs::create_directory(fromCp1251(inFolder("Старые"))));
    ASSERT_NO_FATAL_FAILURE(start(settingsWithFolder(inFolder("Старые"))));
    ASSERT_NE(session_->mainWindow(), nullptr);
    ASSERT_NO_FATAL_FAILURE(choose(kTextureFolder));
    HWND dialog = session_->waitForFolderDialog();
    ASSERT_NE(dialog, nullptr);
    // What the user sees once the dialog has filled its tree.
    EXPECT_TRUE(waitUntil([&] { return session_->selectedFolder(dialog) == "Старые"; }))
        << session_->selectedFolder(dialog);
    pressButton(dialog, IDCANCEL);
}

TEST_F(TextureFolderCommandTest, ChosenFolderIsStoredWithABackslash) {
    const std::string chosen = inFolder("Новые");
    ASSERT_TRUE(fs::create_directory(fromCp1251(chosen)));
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(choose(kTextureFolder));
    HWND dialog = session_->waitForFolderDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session_->selectFolder(dialog, chosen)) << "the tree shows " << session_->selectedFolder(dialog);
    pressButton(dialog, IDOK);
    EXPECT_TRUE(waitUntil([&] { return storedFolder() == chosen + "\\"; })) << storedFolder().value_or("(none)");
}

TEST_F(TextureFolderCommandTest, ChosenDriveRootKeepsItsOneBackslash) {
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(choose(kTextureFolder));
    HWND dialog = session_->waitForFolderDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session_->selectFolder(dialog, "C:\\"));
    pressButton(dialog, IDOK);
    EXPECT_TRUE(waitUntil([&] { return storedFolder() == "C:\\"; })) << storedFolder().value_or("(none)");
}

TEST_F(TextureFolderCommandTest, CancelKeepsTheStoredFolder) {
    ASSERT_NO_FATAL_FAILURE(startReady());
    const std::string settings = settingsBytes();
    ASSERT_NO_FATAL_FAILURE(choose(kTextureFolder));
    HWND dialog = session_->waitForFolderDialog();
    ASSERT_NE(dialog, nullptr);
    pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(waitForWindowGone(dialog));
    ASSERT_NO_FATAL_FAILURE(waitForEarlierCommands());
    EXPECT_EQ(settingsBytes(), settings);
}

// --- opening and saving --------------------------------------------------------------------

using ModelCommandTest = EditorTest;

TEST_F(ModelCommandTest, OpenThenSaveAsWritesTheModelWithTheSavedHeader) {
    const std::string input = sampleModel();
    writeFileBytes(inFolder("input.4ds"), input);
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("input.4ds")));
    ASSERT_NO_FATAL_FAILURE(chooseFile(kSaveAs, inFolder("copy.4ds")));
    const std::string expected = test_support::withSavedHeader(input);
    EXPECT_EQ(savedBytes(inFolder("copy.4ds")), expected);
    EXPECT_EQ(readFileBytes(inFolder("input.4ds")), input);
}

TEST_F(ModelCommandTest, SaveWritesTheModelBackToTheOpenedFile) {
    const std::string input = sampleModel();
    writeFileBytes(inFolder("model.4ds"), input);
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("model.4ds")));
    ASSERT_NO_FATAL_FAILURE(choose(kSave));
    const std::string expected = test_support::withSavedHeader(input);
    EXPECT_EQ(savedBytes(inFolder("model.4ds")), expected);
}

TEST_F(ModelCommandTest, CancelledOpenKeepsTheModelAndItsName) {
    const std::string input = sampleModel();
    writeFileBytes(inFolder("model.4ds"), input);
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("model.4ds")));
    ASSERT_NO_FATAL_FAILURE(choose(kOpen));
    HWND dialog = session_->waitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(waitForWindowGone(dialog));
    ASSERT_NO_FATAL_FAILURE(choose(kSave));
    const std::string expected = test_support::withSavedHeader(input);
    EXPECT_EQ(savedBytes(inFolder("model.4ds")), expected);
}

TEST_F(ModelCommandTest, RefusedFileIsReportedAndThePreviousModelStays) {
    const std::string first = sampleModel();
    const std::string refused = "4DS?this is no model";
    writeFileBytes(inFolder("first.4ds"), first);
    writeFileBytes(inFolder("refused.4ds"), refused);
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("first.4ds")));
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("refused.4ds")));
    EXPECT_EQ(answerMessageBox(), "Can't read file: " + inFolder("refused.4ds"));

    // Save writes the model still open to the file it came from.
    ASSERT_NO_FATAL_FAILURE(choose(kSave));
    const std::string expected = test_support::withSavedHeader(first);
    EXPECT_EQ(savedBytes(inFolder("first.4ds")), expected);
    EXPECT_EQ(readFileBytes(inFolder("refused.4ds")), refused);
}

// The model named on the command line opens at start as Open opens it;
// further arguments are ignored, and a refused file brings its message.
TEST_F(ModelCommandTest, ModelGivenOnTheCommandLineOpensAtStart) {
    const std::string model = inFolder("Моя модель 1.4ds");
    writeFileAt(model, sampleModel());
    const std::string refused = inFolder("не модель.4ds");
    writeFileAt(refused, "4DS?no model");
    const std::string folder = settingsWithFolder(toCp1251(userFolder_.path().wstring()));
    ASSERT_NO_FATAL_FAILURE(start(folder, L"\"" + fromCp1251(model) + L"\" \"" + fromCp1251(refused) + L"\""));
    HWND list = findMainWindowControls(session_->mainWindow()).materialList;
    EXPECT_TRUE(waitUntil([&] { return session_->listItemCount(list) == 2; }));
    ASSERT_NO_FATAL_FAILURE(choose(kSave));
    EXPECT_EQ(savedBytes(model), test_support::withSavedHeader(sampleModel()));

    ASSERT_NO_FATAL_FAILURE(start(folder, L"\"" + fromCp1251(refused) + L"\""));
    EXPECT_EQ(answerMessageBox(), "Can't read file: " + refused);
    EXPECT_EQ(session_->listItemCount(findMainWindowControls(session_->mainWindow()).materialList), 0);
}

// A model dropped onto the window opens as Open opens it, the first of
// several, once the question about unsaved changes lets it.
TEST_F(ModelCommandTest, DroppedModelOpensOnceTheUnsavedChangesAreAnswered) {
    writeFileBytes(inFolder("first.4ds"), sampleModel());
    test_support::ModelBytes other;
    other.records = {test_support::recordWithNames("", "DROPPED.BMP", "")};
    writeFileBytes(inFolder("dropped.4ds"), test_support::encodeModel(other));
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("first.4ds")));
    const MainWindowControls controls = findMainWindowControls(session_->mainWindow());
    ASSERT_TRUE(enterIntoBox(controls.diffuseNameBox, "CHANGED"));
    ASSERT_TRUE(waitUntil([&] { return windowText(controls.diffuseNameBox) == "CHANGED.BMP"; }));  // taken
    ASSERT_TRUE(session_->dropFiles({inFolder("dropped.4ds"), inFolder("first.4ds")}));
    HWND question = session_->waitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(messageText(question), "Сохранить изменения в файле " + inFolder("first.4ds") + "?");
    pressButton(question, IDNO);
    EXPECT_TRUE(waitUntil([&] { return session_->listRows(controls.materialList) ==
                                       std::vector<std::string>{"[1] |DROPPED.BMP|"}; }));
    EXPECT_EQ(readFileBytes(inFolder("first.4ds")), sampleModel());
}

TEST_F(ModelCommandTest, FailedSaveIsReported) {
    writeFileBytes(inFolder("model.4ds"), sampleModel());
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("model.4ds")));
    ASSERT_NO_FATAL_FAILURE(waitForEarlierCommands());
    // The file is replaced by a folder of that name while the model is open.
    ASSERT_TRUE(fs::remove(fromCp1251(inFolder("model.4ds"))));
    ASSERT_TRUE(fs::create_directory(fromCp1251(inFolder("model.4ds"))));
    ASSERT_NO_FATAL_FAILURE(choose(kSave));
    EXPECT_EQ(answerMessageBox(), "Can't write file: " + inFolder("model.4ds"));
    EXPECT_TRUE(isFolder(inFolder("model.4ds")));
    EXPECT_TRUE(fs::is_empty(fromCp1251(inFolder("model.4ds"))));
}

TEST_F(ModelCommandTest, SaveWithNothingOpenedWritesNothing) {
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(choose(kSave));
    ASSERT_NO_FATAL_FAILURE(waitForEarlierCommands());
    EXPECT_TRUE(fs::is_empty(userFolder_.path()));
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(session_->folder().path()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Skirvane.ini", "skirvane.exe"}));
}

// --- about, exit and closing -------------------------------------------------------------------

using LifecycleTest = EditorTest;

TEST_F(LifecycleTest, AboutBoxNamesTheProgramAndItsPurpose) {
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(choose(kAbout));
    const std::string text = answerMessageBox();
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\r', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    ASSERT_EQ(lines.size(), 4U) << text;
    EXPECT_EQ(lines[0], "Skirvane.textures " SKIRVANE_VERSION);
    EXPECT_EQ(lines[1], "Программа для настройки свойств материалов в моделях формата *.4ds");
    EXPECT_EQ(lines[2], "");
    EXPECT_FALSE(lines[3].empty()) << "the credits line";
    EXPECT_EQ(text.find('\n'), std::string::npos) << "lines are separated by carriage returns alone";
    EXPECT_TRUE(session_->running());
}

TEST_F(LifecycleTest, ExitEndsTheProgramWithoutAskingOrSaving) {
    const std::string input = sampleModel();
    writeFileBytes(inFolder("model.4ds"), input);
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("model.4ds")));
    ASSERT_NO_FATAL_FAILURE(choose(kExit));
    ASSERT_TRUE(session_->waitForExit());
    EXPECT_EQ(session_->exitCode(), std::optional<DWORD>(0));
    EXPECT_EQ(readFileBytes(inFolder("model.4ds")), input);
}

TEST_F(LifecycleTest, CloseBoxEndsTheProgramWithoutAskingOrSaving) {
    const std::string input = sampleModel();
    writeFileBytes(inFolder("model.4ds"), input);
    ASSERT_NO_FATAL_FAILURE(startReady());
    ASSERT_NO_FATAL_FAILURE(chooseFile(kOpen, inFolder("model.4ds")));
    ASSERT_TRUE(clickCloseBox(session_->mainWindow()));
    ASSERT_TRUE(session_->waitForExit());
    EXPECT_EQ(session_->exitCode(), std::optional<DWORD>(0));
    EXPECT_EQ(readFileBytes(inFolder("model.4ds")), input);
}

}  // namespace
