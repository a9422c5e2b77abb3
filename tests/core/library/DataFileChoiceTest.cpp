// The question OK in the settings asks about a data file path that names an existing file.
#include "core/library/CDataFileChoice.h"

#include <gtest/gtest.h>

using namespace brindlex;

TEST(DataFileChoice, WhatIsAskedAboutEachKindOfFileAndWhatEachAnswerDoes) {
    using A = DataFileAnswer;
    using S = DataFileStep;
    struct Case {
        ChosenDataFile chosen;
        std::vector<A> offered;
        S open, replace, cancel;
    };
    const Case cases[] = {
        {ChosenDataFile::Missing, {}, S::MoveLibraryThere, S::MoveLibraryThere, S::MoveLibraryThere},
        {ChosenDataFile::Library,
         {A::OpenThatLibrary, A::ReplaceIt, A::Cancel},
         S::OpenThatLibrary,
         S::MoveLibraryThere,
         S::KeepOldPath},
        // A file that is no library cannot be opened as one, and is never replaced unasked.
        {ChosenDataFile::OtherFile,
         {A::ReplaceIt, A::Cancel},
         S::KeepOldPath,
         S::MoveLibraryThere,
         S::KeepOldPath},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.chosen));
        const CDataFileChoice choice(c.chosen);
        EXPECT_EQ(choice.NeedsQuestion(), !c.offered.empty());
        EXPECT_EQ(choice.Answers(), c.offered);
        EXPECT_EQ(choice.StepFor(A::OpenThatLibrary), c.open);
        EXPECT_EQ(choice.StepFor(A::ReplaceIt), c.replace);
        EXPECT_EQ(choice.StepFor(A::Cancel), c.cancel);
    }
    EXPECT_EQ(CDataFileChoice::AnswerText(A::OpenThatLibrary), u"Open that library");
    EXPECT_EQ(CDataFileChoice::AnswerText(A::ReplaceIt), u"Replace it with this library");
    EXPECT_EQ(CDataFileChoice::AnswerText(A::Cancel), u"Cancel");
    const std::u16string details = CDataFileChoice(ChosenDataFile::Library).Details(u"D:\\a.dat");
    EXPECT_EQ(details.rfind(u"D:\\a.dat\n\n", 0), 0u) << "the question names the file first";
    EXPECT_NE(CDataFileChoice(ChosenDataFile::Library).Heading(),
              CDataFileChoice(ChosenDataFile::OtherFile).Heading());
}
