#pragma once

#include "librarian/ProgramFile.h"
#include "model/DSI_Program.h"

#include <juce_core/juce_core.h>

#include <functional>
#include <vector>

/** The librarian's file dialogs and the reading of program and group files.

    Every dialog is asked for by a kind: open kinds 1..11, the save kind of the same files 100 more.
    Dialogs never block: a plug-in may not run a modal loop inside its host, so each operation
    takes the function it continues with once the user has chosen. The dialog itself is the
    chooser given at construction: the platform's native one in the editor, a script in tests. */
class FileMan
{
public:
    enum class Mode
    {
        open,
        save
    };

    /** What the chooser is asked to show. */
    struct Request
    {
        Mode mode = Mode::open;
        juce::String title;
        juce::String filter;      // patterns joined by ";" (see filterText)
        juce::File initialFile;   // saving: the default name in the user's documents; opening: none
    };

    /** Shows the dialog and calls `done` once, with the file picked, or with File() when the user
        cancelled. */
    using Chooser = std::function<void (const Request&, std::function<void (const juce::File&)> done)>;

    static constexpr int saveKindOffset = 100;

    struct Kind
    {
        int number;
        const char* title;
        juce::StringArray patterns;
    };

    /** The kind's title and patterns, or nullptr for a number that is no kind. Dialogs for a
        program, a group and a library also take ".syx" files, after the own pattern. */
    static const Kind* findKind (int kind);

    /** An open dialog's filter ends every pattern with ";", the last one too; a save dialog's
        joins them with ";". */
    static juce::String filterText (const juce::StringArray& patterns, Mode mode);

    /** A saved name keeps an extension it was typed with of 3 characters or more (dot included);
        otherwise the kind's first extension is added: "Bass" → "Bass.p5_l", "Bass.x" →
        "Bass.x.p5_l", "Bass.p5" and "Bass.txt" as typed. */
    static juce::String withSaveExtension (const juce::String& path, const juce::StringArray& patterns);

    /** "default_Lib..p5_l" in the settings folder (two dots, as it has always been named). */
    static juce::File defaultLibraryFile();

    /** How a picked file's bytes are read: ".syx" as SysEx, anything else as the own format. */
    static ProgramFile::Form formOf (const juce::File& file);

    explicit FileMan (Chooser chooserToUse);
    ~FileMan();

    FileMan (const FileMan&) = delete;
    FileMan& operator= (const FileMan&) = delete;

    /** Shows the kind's dialog; `done` gets true when the user confirmed a file, whose full path is
        then `chosenPath`. A cancelled dialog leaves `chosenPath` as it was. */
    void chooseFile (Mode mode, int kind, const juce::String& defaultFileName, std::function<void (bool)> done);

    /** Kind 1, then the file read as a single program: on true, `parsedProgram` holds its record
        and `sysexMessage` the message read. */
    void loadProgramFile (std::function<void (bool)> done);

    /** Kind 3, then the file read as a program group: on true, `groupRecords` holds at least one
        record, in file order. */
    void loadGroupFile (std::function<void (bool)> done);

    juce::String title;
    juce::StringArray patterns;
    juce::String chosenPath;
    bool confirmed = false; // the last dialog's answer: a load that failed after it read a bad file
    juce::MemoryBlock fileData;
    ProgramSysex::Message sysexMessage;
    DSI_Program parsedProgram;
    std::vector<ProgramSysex::Record> groupRecords;

private:
    /** The kind's open dialog, then the file's bytes into `fileData` and `read` on them. */
    void openAndRead (int kind, std::function<bool (const juce::File&)> read, std::function<void (bool)> done);

    Chooser chooser;
    // A dialog can outlive the object that asked for it (the editor closes meanwhile): its answer
    // then goes nowhere.
    std::shared_ptr<bool> alive = std::make_shared<bool> (true);
};
