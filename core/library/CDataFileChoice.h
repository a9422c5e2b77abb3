// OK in the settings with a data file path that names another file than the library's own: a
// file there that already holds a library, or anything else, is never written over without
// asking first. This is what is asked, with which choices, and what each answer does.
#pragma once

#include <string>
#include <vector>

namespace brindlex {

// What the chosen path names.
enum class ChosenDataFile { Missing, Library, OtherFile };

enum class DataFileAnswer { OpenThatLibrary, ReplaceIt, Cancel };

enum class DataFileStep {
    MoveLibraryThere, // the library in memory goes to the chosen file (soon, and at exit)
    OpenThatLibrary,  // the library is saved to its own file first, then the chosen one is read
    KeepOldPath,      // nothing changes
};

class CDataFileChoice {
public:
    explicit CDataFileChoice(ChosenDataFile chosen) : m_chosen(chosen) {}

    // Nothing is asked about a file that is not there yet: the library simply moves there.
    bool NeedsQuestion() const { return m_chosen != ChosenDataFile::Missing; }
    // The answers offered, in the order of their buttons; Cancel comes last.
    std::vector<DataFileAnswer> Answers() const;
    static std::u16string AnswerText(DataFileAnswer answer);
    // The question's first line, and what follows it about the file at `path`.
    std::u16string Heading() const;
    std::u16string Details(const std::u16string& path) const;

    // Without a question, the library moves there; an answer not offered keeps the old path.
    DataFileStep StepFor(DataFileAnswer answer) const;

private:
    ChosenDataFile m_chosen;
};

} // namespace brindlex
