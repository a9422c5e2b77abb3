#include "win/framework/CWndMap.h"

#include <unordered_map>

namespace brindlex {

namespace {

std::unordered_map<HWND, CWnd*>& Objects() {
    static std::unordered_map<HWND, CWnd*> objects;
    return objects;
}

} // namespace

CWnd* CWndMap::Find(HWND hWnd) {
    if (hWnd == nullptr) {
        return nullptr;
    }
    const auto& objects = Objects();
    const auto it = objects.find(hWnd);
    return it != objects.end() ? it->second : nullptr;
}

void CWndMap::Add(HWND hWnd, CWnd* pWnd) {
    Objects()[hWnd] = pWnd;
}

void CWndMap::Remove(HWND hWnd) {
    Objects().erase(hWnd);
}

} // namespace brindlex
