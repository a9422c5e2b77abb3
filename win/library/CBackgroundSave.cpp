#include "win/library/CBackgroundSave.h"

#include <exception>
#include <system_error>

namespace brindlex {

bool CBackgroundSave::Start(CDataFile::PreparedSave save, HWND hNotify, UINT message) {
    if (m_bStarted) {
        return false;
    }
    m_save = std::move(save);
    m_hNotify = hNotify;
    m_message = message;
    m_bEnded = false;
    m_bStarted = true;
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        Run(); // no thread to be had: the window waits this once
    }
    return true;
}

void CBackgroundSave::Run() {
    try {
        m_bSaved = CDataFile::Write(m_save);
        m_save.bytes = {}; // unmapping as large an image is left to this thread too
    } catch (const std::exception&) {
        m_bSaved = false; // no memory for a path: nothing may leave the thread
    }
    m_bEnded = true;
    ::PostMessageW(m_hNotify, m_message, 0, 0);
}

std::optional<bool> CBackgroundSave::Finish() {
    if (!m_bStarted) {
        return std::nullopt;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_bStarted = false;
    m_save = {}; // the image can be as large as the library
    return m_bSaved;
}

} // namespace brindlex
