// The list control without the library: what the user does to its rows reaches its events as
// typed calls, and the rows and the current row change only when the events' owner says so.
#include "ListsTestSupport.h"

using namespace brindlex;

using namespace liststest;

namespace {

constexpr int kBareListId = 1101;

// Names rows by the strings they were made from and records every event as a line.
class CRecordedEvents : public IListEvents {
public:
    std::vector<std::u16string> m_names{u"A", u"B", u"C", u"D"};
    std::vector<std::string> m_events;
    // Answers a row made current by showing it, as a binding does through the library.
    CDragListBox* m_pAnswer = nullptr;

    std::vector<RowId> Rows() const {
        std::vector<RowId> rows;
        for (const std::u16string& name : m_names) {
            rows.push_back(RowId::Of(name));
        }
        return rows;
    }

private:
    const std::u16string* RowName(RowId row) const override { return row.As<std::u16string>(); }
    void OnCurrentRowChanged(int row) override {
        Record("current " + std::to_string(row));
        if (m_pAnswer != nullptr) {
            m_pAnswer->ShowCurrent(row);
        }
    }
    void OnRowMoved(int from, int to) override {
        Record("moved " + std::to_string(from) + " " + std::to_string(to));
    }
    void OnRowRenamed(int row, const std::u16string& name) override {
        Record("renamed " + std::to_string(row) + " " + std::string(name.begin(), name.end()));
    }
    void OnDeleteRequested() override { Record("delete"); }
    void OnRightClick(const RowClick& click) override { Record("right", click); }
    void OnDoubleClick(const RowClick& click) override { Record("double", click); }
    void OnListDestroyed() override { Record("destroyed"); }
    void Record(const std::string& line) { m_events.push_back(line); }
    void Record(const std::string& what, const RowClick& click) {
        Record(what + " " + std::to_string(click.row) + (click.onCurrentRow ? " on current" : ""));
    }
};

class ListsEvents : public ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        const HWND hList =
            ::CreateWindowExW(0, L"LISTBOX", L"", kListStyle, 10, 220, kListWidth, 152, m_dlg->GetSafeHwnd(),
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kBareListId)),
                              ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(hList, nullptr);
        m_list.SetEvents(&m_events);
        ASSERT_TRUE(m_list.SubclassDlgItem(kBareListId, m_dlg.get()));
        m_list.ShowRows(m_events.Rows());
    }
    void TearDown() override {
        m_list.DestroyWindow();
        ListsFixture::TearDown();
    }
    using Lines = std::vector<std::string>;
    // The events but those that say `line`.
    Lines EventsBut(const std::string& line) const {
        Lines lines;
        for (const std::string& event : m_events.m_events) {
            if (event != line) {
                lines.push_back(event);
            }
        }
        return lines;
    }
    std::vector<RowId> Rows() const {
        std::vector<RowId> rows;
        for (int i = 0; i < m_list.RowCount(); ++i) {
            rows.push_back(m_list.RowAt(i));
        }
        return rows;
    }

    CRecordedEvents m_events;
    CDragListBox m_list{IDI_GROUP, IDI_GROUP_SELECTED, false};
};

TEST_F(ListsEvents, AClickAndADragAreToldAndChangeNothingByThemselves) {
    Click(m_list, RowPoint(m_list, 1));
    EXPECT_FALSE(m_events.m_events.empty());
    EXPECT_EQ(EventsBut("current 1"), Lines{});
    EXPECT_EQ(m_list.GetCurrent(), -1) << "the owner did not show it";

    m_events.m_events.clear();
    m_events.m_pAnswer = &m_list;
    Drag(m_list, RowPoint(m_list, 0), RowPoint(m_list, 2, 3));
    EXPECT_EQ(EventsBut("current 0"), (Lines{"moved 0 2"}));
    EXPECT_EQ(m_list.GetCurrent(), 0);
    EXPECT_EQ(Rows(), m_events.Rows()) << "the owner did not move the row";
}

TEST_F(ListsEvents, KeysAndClicksAreToldWithTheirRow) {
    m_list.ShowCurrent(2);
    KeyUp(m_list.GetSafeHwnd(), VK_DELETE);
    ::SendMessageW(m_list.GetSafeHwnd(), WM_RBUTTONUP, 0, At(RowPoint(m_list, 1)));
    ::SendMessageW(m_list.GetSafeHwnd(), WM_RBUTTONUP, 0, At(RowPoint(m_list, 2)));
    ::SendMessageW(m_list.GetSafeHwnd(), WM_RBUTTONUP, 0, At(POINT{60, 135}));
    ::SendMessageW(m_list.GetSafeHwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(RowPoint(m_list, 2)));
    EXPECT_EQ(m_events.m_events,
              (Lines{"delete", "right 1", "right 2 on current", "right -1", "double 2 on current"}));
    m_list.DestroyWindow();
    EXPECT_EQ(m_events.m_events.back(), "destroyed");
}

TEST_F(ListsEvents, ARenameGoesToTheRowOfItsRecordAndNotToAForgottenOne) {
    m_list.ShowCurrent(1);
    m_list.BeginInplaceEdit();
    ASSERT_NE(Editor(m_list), nullptr);
    EXPECT_EQ(GetWindowTextU16(Editor(m_list)), u"B");
    ::SetWindowTextW(Editor(m_list), L"Bee");
    // The rows change under the editor: the record it was opened for is now row 2.
    m_list.ShowRows(
        {RowId::Of(m_events.m_names[0]), RowId::Of(m_events.m_names[2]), RowId::Of(m_events.m_names[1])});
    m_list.EndInplaceEdit(true);
    EXPECT_EQ(m_events.m_events, (Lines{"renamed 2 Bee"}));

    m_list.ShowCurrent(0);
    m_list.BeginInplaceEdit();
    ::SetWindowTextW(Editor(m_list), L"Gone");
    m_list.ForgetRow(RowId::Of(m_events.m_names[0]));
    m_list.EndInplaceEdit(true);
    EXPECT_EQ(Editor(m_list), nullptr);
    EXPECT_EQ(m_events.m_events, (Lines{"renamed 2 Bee"}));
}

} // namespace
