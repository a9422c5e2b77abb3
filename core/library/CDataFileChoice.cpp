#include "core/library/CDataFileChoice.h"

#include <algorithm>

namespace brindlex {

std::vector<DataFileAnswer> CDataFileChoice::Answers() const {
    switch (m_chosen) {
    case ChosenDataFile::Library:
        return {DataFileAnswer::OpenThatLibrary, DataFileAnswer::ReplaceIt, DataFileAnswer::Cancel};
    case ChosenDataFile::OtherFile:
        return {DataFileAnswer::ReplaceIt, DataFileAnswer::Cancel};
    case ChosenDataFile::Missing:
        break;
    }
    return {};
}

std::u16string CDataFileChoice::AnswerText(DataFileAnswer answer) {
    switch (answer) {
    case DataFileAnswer::OpenThatLibrary:
        return u"Open that library";
    case DataFileAnswer::ReplaceIt:
        return u"Replace it with this library";
    case DataFileAnswer::Cancel:
        break;
    }
    return u"Cancel";
}

std::u16string CDataFileChoice::Heading() const {
    return m_chosen == ChosenDataFile::Library ? u"The chosen data file already holds a library."
                                               : u"The chosen data file is not a library.";
}

std::u16string CDataFileChoice::Details(const std::u16string& path) const {
    std::u16string text = path + u"\n\n";
    if (m_chosen == ChosenDataFile::Library) {
        text += u"Open that library (this library is saved to its own file first), or replace it "
                u"with this library?";
    } else {
        text += u"Replace it with this library?";
    }
    text += u" Cancel keeps the old data file.";
    return text;
}

DataFileStep CDataFileChoice::StepFor(DataFileAnswer answer) const {
    if (!NeedsQuestion()) {
        return DataFileStep::MoveLibraryThere;
    }
    const std::vector<DataFileAnswer> offered = Answers();
    if (std::find(offered.begin(), offered.end(), answer) == offered.end()) {
        return DataFileStep::KeepOldPath;
    }
    switch (answer) {
    case DataFileAnswer::OpenThatLibrary:
        return DataFileStep::OpenThatLibrary;
    case DataFileAnswer::ReplaceIt:
        return DataFileStep::MoveLibraryThere;
    case DataFileAnswer::Cancel:
        break;
    }
    return DataFileStep::KeepOldPath;
}

} // namespace brindlex
