// Showing and hiding the main window, which never closes: it goes to the notification area.
#pragma once

#include "win/app/CDataStore.h"
#include "win/framework/CWnd.h"

namespace brindlex {

class CMainWindowVisibility {
public:
    CMainWindowVisibility(CWnd& window, CDataStore& store) : m_window(window), m_store(store) {}

    // Shows the window without moving it and brings it to the front.
    void ShowMainWindow();
    // The settings are saved first, with the window's place while it is still shown.
    void HideMainWindow();
    void ToggleMainWindow();

private:
    CWnd& m_window;
    CDataStore& m_store;
};

} // namespace brindlex
