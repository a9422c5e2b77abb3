#include "win/framework/CWinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow) {
    return brindlex::AfxWinMain(hInstance, lpCmdLine, nCmdShow);
}
