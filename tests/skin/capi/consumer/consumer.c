/* A plain C program skinned through the installed package: a window is
 * skinned by LtSkinApply and given back by LtSkinRemove at the same client
 * size, style and window procedure; a missing file is refused in words.
 *   consumer SKIN_FILE        prints "consumer: ok" and answers 0 */
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>

#include <lantuo/skin.h>

#define SKINNED_QUERY 0x3504 /* a skinned window answers 1 */

static int failures;

static void Check(int ok, const char* what) {
    printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    failures += !ok;
}

int main(void) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    LtSkin* skin = NULL;
    RECT before, during, after;
    LONG style;
    LONG_PTR proc;
    HWND wnd;
    MSG msg;
    if (argc < 2) {
        printf("usage: consumer SKIN_FILE\n");
        return 2;
    }
    Check(LtSkinLoadFile(L"Z:\\no\\such\\file.skn", &skin) == LT_SKIN_NOT_FOUND && !skin &&
              wcsstr(LtSkinLastError(), L"file.skn") != NULL,
          "a missing file is refused with its name");
    wnd = CreateWindowExW(0, L"STATIC", L"consumer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400,
                          300, NULL, NULL, GetModuleHandleW(NULL), NULL);
    SetForegroundWindow(wnd);
    GetClientRect(wnd, &before);
    style = GetWindowLongW(wnd, GWL_STYLE);
    proc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    Check(LtSkinLoadFile(argv[1], &skin) == LT_SKIN_OK, "the skin loads");
    Check(LtSkinApply(skin, LT_SKIN_ALL) == LT_SKIN_OK, "the skin applies");
    /* The skin frames the window around its client area from a posted message. */
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    GetClientRect(wnd, &during);
    Check(SendMessageW(wnd, SKINNED_QUERY, 0, 0) == 1, "the open window is skinned");
    Check(GetWindowLongPtrW(wnd, GWLP_WNDPROC) != proc, "its window procedure is the skin's");
    LtSkinRemove();
    GetClientRect(wnd, &after);
    Check(SendMessageW(wnd, SKINNED_QUERY, 0, 0) != 1, "removed, it is no longer skinned");
    Check(during.right == before.right && during.bottom == before.bottom &&
              after.right == before.right && after.bottom == before.bottom,
          "the client size stays");
    printf("client sizes: %ldx%ld, skinned %ldx%ld, removed %ldx%ld\n", before.right,
           before.bottom, during.right, during.bottom, after.right, after.bottom);
    Check(GetWindowLongW(wnd, GWL_STYLE) == style && GetWindowLongPtrW(wnd, GWLP_WNDPROC) == proc,
          "style and window procedure are back");
    LtSkinFree(skin);
    DestroyWindow(wnd);
    LocalFree(argv);
    printf("consumer: %s\n", failures ? "FAILED" : "ok");
    return failures ? 1 : 0;
}
