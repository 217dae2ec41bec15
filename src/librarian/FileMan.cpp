#include "librarian/FileMan.h"

#include "plugin/SafeFile.h"
#include "plugin/SettingsFolder.h"

namespace
{
const std::vector<FileMan::Kind>& kinds()
{
    static const std::vector<FileMan::Kind> table {
        { 1, "Load Single Prophet~5/10 Program", { "*.p5_p", "*.syx" } },
        { 2, "Load Prophet~5/10 Main Settings", { "*.p5_m" } },
        { 3, "Load Prophet~5/10 Program Group", { "*.p5_b", "*.syx" } },
        { 4, "Load Prophet~5/10 Program Library", { "*.p5_l", "*.p5_b", "*.syx" } },
        { 5, "Load Sequence Templates", { "*.p5sq" } },
        { 6, "Load Prophet~5/10 Data", { "*.ph_5" } },
        { 7, "Load Sysex File", { "*.syx" } },
        { 10, "Load FX Preset Bank", { "*.fxb" } },
        { 11, "Load FX Preset", { "*.fxp" } },
        { 101, "Save Prophet~5/10 Program", { "*.p5_p", "*.syx" } },
        { 102, "Save Prophet~5/10 Main Settings", { "*.p5_m" } },
        { 103, "Save Prophet~5/10 Program Group", { "*.p5_b", "*.syx" } },
        { 104, "Save Prophet~5/10 Program Library", { "*.p5_l" } },
        { 105, "Save Sequence Templates", { "*.p5sq" } },
        { 106, "Save Prophet~5/10 Data", { "*.ph_5" } },
        { 110, "Save FX Preset Bank", { "*.fxb" } },
        { 111, "Save FX Preset", { "*.fxp" } },
    };
    return table;
}
}

const FileMan::Kind* FileMan::findKind (int kind)
{
    for (const auto& k : kinds())
        if (k.number == kind)
            return &k;
    return nullptr;
}

juce::String FileMan::filterText (const juce::StringArray& patternsToJoin, Mode mode)
{
    if (mode == Mode::save)
        return patternsToJoin.joinIntoString (";");

    juce::String text;
    for (const auto& p : patternsToJoin)
        text << p << ";";
    return text;
}

juce::String FileMan::withSaveExtension (const juce::String& path, const juce::StringArray& patternsToUse)
{
    // The extension counts from the last dot after the last separator, the dot included.
    const auto separator = juce::jmax (path.lastIndexOfChar ('/'), path.lastIndexOfChar ('\\'));
    const auto dot = path.lastIndexOfChar ('.');
    const auto extensionLength = dot > separator ? path.length() - dot : 0;
    if (extensionLength >= 3 || patternsToUse.isEmpty())
        return path;
    return path + patternsToUse[0].trimCharactersAtStart ("*");
}

juce::File FileMan::defaultLibraryFile()
{
    return SettingsFolder::folder().getChildFile (SettingsFolder::libraryFileName);
}

ProgramFile::Form FileMan::formOf (const juce::File& file)
{
    return file.hasFileExtension ("syx") ? ProgramFile::Form::syx : ProgramFile::Form::own;
}

FileMan::FileMan (Chooser chooserToUse) : chooser (std::move (chooserToUse)) {}

FileMan::~FileMan()
{
    *alive = false;
}

void FileMan::chooseFile (Mode mode, int kind, const juce::String& defaultFileName, std::function<void (bool)> done)
{
    patterns.clear();
    const auto* k = findKind (kind);
    if (k == nullptr || chooser == nullptr)
    {
        done (false);
        return;
    }
    title = k->title;
    patterns = k->patterns;

    Request request;
    request.mode = mode;
    request.title = title;
    request.filter = filterText (patterns, mode);
    if (mode == Mode::save)
        request.initialFile = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).getChildFile (defaultFileName);

    confirmed = false;
    chooser (request, [this, mode, alive = alive, done = std::move (done)] (const juce::File& picked)
    {
        if (! *alive)
            return;
        confirmed = picked != juce::File();
        if (! confirmed)
        {
            done (false);
            return;
        }
        chosenPath = picked.getFullPathName();
        if (mode == Mode::save)
            chosenPath = withSaveExtension (chosenPath, patterns);
        done (true);
    });
}

void FileMan::openAndRead (int kind, std::function<bool (const juce::File&)> read, std::function<void (bool)> done)
{
    chooseFile (Mode::open, kind, {}, [this, read = std::move (read), done = std::move (done)] (bool chosen)
    {
        if (! chosen)
            return done (false);

        const juce::File file (chosenPath);
        fileData = SafeFile::read (file);
        done (read (file));
    });
}

void FileMan::loadProgramFile (std::function<void (bool)> done)
{
    sysexMessage.clear();
    openAndRead (1, [this] (const juce::File& file)
    {
        const auto single = ProgramFile::readSingle (fileData.getData(), fileData.getSize(), formOf (file));
        if (! single)
            return false;

        sysexMessage = single->message;
        parsedProgram.setRaw (single->record.data());
        parsedProgram.getName();
        return true;
    }, std::move (done));
}

void FileMan::loadGroupFile (std::function<void (bool)> done)
{
    groupRecords.clear();
    openAndRead (3, [this] (const juce::File& file)
    {
        groupRecords = ProgramFile::readGroup (fileData.getData(), fileData.getSize(), formOf (file));
        return ! groupRecords.empty();
    }, std::move (done));
}
