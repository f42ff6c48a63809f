/*
 * rawdemo: a plain Win32 program in C, skinned with three calls of
 * <lantuo/skin.h> (load, apply, free) and nothing else.
 *
 *   rawdemo [--skin FILE | --no-skin] [--screenshot DIR]
 *
 * Without --skin it loads xpluna.skn from its own folder. A skin that cannot
 * be loaded is reported (a message box, or a line on stderr with
 * --screenshot) and the program runs without a skin. --screenshot saves
 * main.bmp, popup.bmp, dialog.bmp and msgbox.bmp into DIR and ends.
 */
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <stdio.h>
#include <wchar.h>

#include <lantuo/skin.h>

#include "rawdemo_ids.h"

#define APP_TITLE L"rawdemo"
#define WM_APP_SHOOT (WM_APP + 1)
#define SETTLE_MS 700

static HINSTANCE g_instance;
static HWND g_main;
static const wchar_t* g_shotDir; /* non-null in screenshot mode */
static int g_saved;

/* A line on the standard error handle (UTF-8). */
static void ErrorLine(const wchar_t* text) {
    char utf8[1024];
    wchar_t line[512];
    DWORD written = 0;
    int n;
    _snwprintf(line, 511, L"rawdemo: %ls\n", text);
    line[511] = 0;
    n = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof utf8, NULL, NULL);
    if (n > 1)
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), utf8, (DWORD)(n - 1), &written, NULL);
}

/* ---- Screenshots: what the screen shows in a rectangle, as a 24-bit BMP. */

static int WriteBmp(const wchar_t* path, HDC dc, HBITMAP bmp, int w, int h) {
    BITMAPINFOHEADER bih;
    BITMAPFILEHEADER bfh;
    DWORD stride = ((DWORD)w * 3 + 3) & ~3u, size = stride * (DWORD)h, written = 0;
    void* bits = HeapAlloc(GetProcessHeap(), 0, size);
    HANDLE file;
    int ok = 0;
    if (!bits)
        return 0;
    ZeroMemory(&bih, sizeof bih);
    bih.biSize = sizeof bih;
    bih.biWidth = w;
    bih.biHeight = h; /* bottom-up, as BMP files store rows */
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    if (GetDIBits(dc, bmp, 0, (UINT)h, bits, (BITMAPINFO*)&bih, DIB_RGB_COLORS) == h) {
        ZeroMemory(&bfh, sizeof bfh);
        bfh.bfType = 0x4D42;
        bfh.bfOffBits = sizeof bfh + sizeof bih;
        bfh.bfSize = bfh.bfOffBits + size;
        file =
            CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            ok = WriteFile(file, &bfh, sizeof bfh, &written, NULL) &&
                 WriteFile(file, &bih, sizeof bih, &written, NULL) &&
                 WriteFile(file, bits, size, &written, NULL) && written == size;
            ok = CloseHandle(file) && ok;
        }
    }
    HeapFree(GetProcessHeap(), 0, bits);
    return ok;
}

static void SaveRect(const RECT* r, const wchar_t* name) {
    wchar_t path[MAX_PATH];
    int w = r->right - r->left, h = r->bottom - r->top;
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r->left, r->top, SRCCOPY);
    SelectObject(mem, old);
    _snwprintf(path, MAX_PATH - 1, L"%ls\\%ls", g_shotDir, name);
    path[MAX_PATH - 1] = 0;
    if (WriteBmp(path, mem, bmp, w, h))
        ++g_saved;
    else
        ErrorLine(path);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
}

/* Paints everything pending in the window, frame and children included. */
static void PaintNow(HWND wnd) {
    RedrawWindow(wnd, NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

static void SaveWindow(HWND wnd, const wchar_t* name) {
    RECT r;
    PaintNow(wnd);
    GetWindowRect(wnd, &r);
    SaveRect(&r, name);
}

typedef struct FindShot {
    const wchar_t* className;
    HWND except;
    HWND found;
} FindShot;

static BOOL CALLBACK FindVisible(HWND wnd, LPARAM param) {
    FindShot* f = (FindShot*)param;
    wchar_t name[64];
    if (wnd != f->except && IsWindowVisible(wnd) && GetClassNameW(wnd, name, 64) &&
        wcscmp(name, f->className) == 0) {
        f->found = wnd;
        return FALSE;
    }
    return TRUE;
}

/* A visible top-level window of this thread with the class name. */
static HWND FindThreadWindow(const wchar_t* className, HWND except) {
    FindShot f;
    f.className = className;
    f.except = except;
    f.found = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindVisible, (LPARAM)&f);
    return f.found;
}

/* Runs inside the popup menu's modal loop: the main window with the menu
 * over it, then the menu closes. */
static void CALLBACK ShootPopup(HWND wnd, UINT msg, UINT_PTR id, DWORD time) {
    HWND menu = FindThreadWindow(L"#32768", NULL);
    RECT r, m;
    (void)wnd, (void)msg, (void)time;
    KillTimer(NULL, id);
    GetWindowRect(g_main, &r);
    if (menu) {
        PaintNow(menu);
        GetWindowRect(menu, &m);
        UnionRect(&r, &r, &m);
        SaveRect(&r, L"popup.bmp");
    } else {
        ErrorLine(L"no popup menu to save");
    }
    EndMenu();
}

/* Runs inside the message box's modal loop. */
static void CALLBACK ShootMessageBox(HWND wnd, UINT msg, UINT_PTR id, DWORD time) {
    HWND box = FindThreadWindow(L"#32770", NULL);
    (void)wnd, (void)msg, (void)time;
    KillTimer(NULL, id);
    if (box) {
        SaveWindow(box, L"msgbox.bmp");
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    } else {
        ErrorLine(L"no message box to save");
    }
}

/* ---- The dialog with every control. */

static void FillDialog(HWND dlg) {
    static const wchar_t* items[] = {L"Apple", L"Banana", L"Cherry", L"Damson",
                                     L"Elder", L"Fig",    L"Grape",  L"Hazel"};
    HWND list = GetDlgItem(dlg, IDC_LISTVIEW);
    LVCOLUMNW col;
    LVITEMW item;
    TCITEMW tab;
    int i;
    CheckDlgButton(dlg, IDC_CHECK1, BST_CHECKED);
    CheckRadioButton(dlg, IDC_RADIO1, IDC_RADIO2, IDC_RADIO1);
    SetDlgItemTextW(dlg, IDC_EDIT, L"Edit");
    SetDlgItemTextW(dlg, IDC_MEMO,
                    L"A multi-line edit\r\nwith scroll bars\r\nline 3\r\nline 4\r\nline 5\r\n"
                    L"a line long enough to scroll sideways");
    for (i = 0; i < 8; ++i) {
        SendDlgItemMessageW(dlg, IDC_SIMPLE, CB_ADDSTRING, 0, (LPARAM)items[i]);
        SendDlgItemMessageW(dlg, IDC_DROPDOWN, CB_ADDSTRING, 0, (LPARAM)items[i]);
        SendDlgItemMessageW(dlg, IDC_DROPLIST, CB_ADDSTRING, 0, (LPARAM)items[i]);
        SendDlgItemMessageW(dlg, IDC_LIST, LB_ADDSTRING, 0, (LPARAM)items[i]);
    }
    SendDlgItemMessageW(dlg, IDC_SIMPLE, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageW(dlg, IDC_DROPDOWN, CB_SETCURSEL, 1, 0);
    SendDlgItemMessageW(dlg, IDC_DROPLIST, CB_SETCURSEL, 2, 0);
    SendDlgItemMessageW(dlg, IDC_LIST, LB_SETCURSEL, 3, 0);
    SetScrollRange(GetDlgItem(dlg, IDC_SCROLL), SB_CTL, 0, 100, FALSE);
    SetScrollPos(GetDlgItem(dlg, IDC_SCROLL), SB_CTL, 30, TRUE);
    ZeroMemory(&tab, sizeof tab);
    tab.mask = TCIF_TEXT;
    tab.pszText = L"One";
    SendDlgItemMessageW(dlg, IDC_TAB, TCM_INSERTITEMW, 0, (LPARAM)&tab);
    tab.pszText = L"Two";
    SendDlgItemMessageW(dlg, IDC_TAB, TCM_INSERTITEMW, 1, (LPARAM)&tab);
    SendDlgItemMessageW(dlg, IDC_PROGRESS, PBM_SETPOS, 60, 0);
    SendDlgItemMessageW(dlg, IDC_TRACK, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendDlgItemMessageW(dlg, IDC_TRACK, TBM_SETPOS, TRUE, 4);
    SendDlgItemMessageW(dlg, IDC_UPDOWN, UDM_SETRANGE32, 0, 99);
    SendDlgItemMessageW(dlg, IDC_UPDOWN, UDM_SETPOS32, 0, 42);
    ZeroMemory(&col, sizeof col);
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 120;
    col.pszText = L"Fruit";
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, (LPARAM)&col);
    col.cx = 80;
    col.pszText = L"Stock";
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, (LPARAM)&col);
    for (i = 0; i < 6; ++i) {
        ZeroMemory(&item, sizeof item);
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = (wchar_t*)items[i];
        SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
        item.iSubItem = 1;
        item.pszText = i % 2 ? L"plenty" : L"few";
        SendMessageW(list, LVM_SETITEMTEXTW, (WPARAM)i, (LPARAM)&item);
    }
}

static INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wparam, LPARAM lparam) {
    (void)lparam;
    switch (msg) {
    case WM_INITDIALOG:
        FillDialog(dlg);
        if (g_shotDir)
            SetTimer(dlg, 1, SETTLE_MS, NULL);
        return TRUE;
    case WM_TIMER:
        KillTimer(dlg, 1);
        SaveWindow(dlg, L"dialog.bmp");
        EndDialog(dlg, IDOK);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
            EndDialog(dlg, LOWORD(wparam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

/* ---- The main window. */

static void ShowContextMenu(HWND wnd, int x, int y) {
    HMENU menus = LoadMenuW(g_instance, MAKEINTRESOURCEW(IDM_CONTEXT));
    if (!menus)
        return;
    if (g_shotDir)
        SetTimer(NULL, 0, SETTLE_MS, ShootPopup);
    TrackPopupMenu(GetSubMenu(menus, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, wnd, NULL);
    DestroyMenu(menus);
}

static void ShowMessage(HWND wnd) {
    if (g_shotDir)
        SetTimer(NULL, 0, SETTLE_MS, ShootMessageBox);
    MessageBoxW(wnd, L"A message box of the platform, skinned by its window class.", APP_TITLE,
                MB_OKCANCEL | MB_ICONINFORMATION);
}

static void Command(HWND wnd, int id) {
    switch (id) {
    case CM_DIALOG:
        DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_CONTROLS), wnd, DialogProc, 0);
        break;
    case CM_MESSAGE:
        ShowMessage(wnd);
        break;
    case CM_ABOUT:
        MessageBoxW(wnd, L"rawdemo: a plain Win32 program skinned with three calls.", APP_TITLE,
                    MB_OK);
        break;
    case CM_EXIT:
        DestroyWindow(wnd);
        break;
    }
}

static void Paint(HWND wnd) {
    PAINTSTRUCT ps;
    RECT r;
    HDC dc = BeginPaint(wnd, &ps);
    GetClientRect(wnd, &r);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, L"Right-click for a popup menu; File opens the dialog and a message box.", -1, &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(wnd, &ps);
}

/* Screenshot mode: the window, its popup menu, the dialog, a message box. */
static void Shoot(HWND wnd) {
    POINT at;
    SaveWindow(wnd, L"main.bmp");
    at.x = 40;
    at.y = 40;
    ClientToScreen(wnd, &at);
    ShowContextMenu(wnd, at.x, at.y);
    Command(wnd, CM_DIALOG);
    ShowMessage(wnd);
    DestroyWindow(wnd);
}

static LRESULT CALLBACK MainProc(HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
    case WM_COMMAND:
        Command(wnd, LOWORD(wparam));
        return 0;
    case WM_CONTEXTMENU:
        ShowContextMenu(wnd, (short)LOWORD(lparam), (short)HIWORD(lparam));
        return 0;
    case WM_PAINT:
        Paint(wnd);
        return 0;
    case WM_TIMER:
        KillTimer(wnd, wparam);
        Shoot(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wparam, lparam);
}

/* ---- Start-up. */

typedef struct Options {
    const wchar_t* skin;
    int noSkin;
    const wchar_t* shots;
} Options;

static int ParseOptions(int argc, wchar_t** argv, Options* o) {
    int i;
    ZeroMemory(o, sizeof *o);
    for (i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--skin") == 0 && i + 1 < argc && !o->noSkin)
            o->skin = argv[++i];
        else if (wcscmp(argv[i], L"--no-skin") == 0 && !o->skin)
            o->noSkin = 1;
        else if (wcscmp(argv[i], L"--screenshot") == 0 && i + 1 < argc)
            o->shots = argv[++i];
        else
            return 0;
    }
    return 1;
}

/* xpluna.skn in the program's own folder. */
static void DefaultSkin(wchar_t* path, DWORD size) {
    wchar_t* slash;
    DWORD n = GetModuleFileNameW(NULL, path, size);
    path[n < size ? n : size - 1] = 0;
    slash = wcsrchr(path, L'\\');
    if (slash && (size_t)(slash - path) + 12 < size)
        wcscpy(slash + 1, L"xpluna.skn");
}

static LtSkin* LoadSkin(const Options* o) {
    wchar_t path[MAX_PATH], text[600];
    LtSkin* skin = NULL;
    LtSkinResult result;
    if (o->noSkin)
        return NULL;
    if (o->skin) {
        wcsncpy(path, o->skin, MAX_PATH - 1);
        path[MAX_PATH - 1] = 0;
    } else {
        DefaultSkin(path, MAX_PATH);
    }
    result = LtSkinLoadFile(path, &skin);
    if (result == LT_SKIN_OK)
        return skin;
    _snwprintf(text, 599, L"skin not loaded (result %d): %ls; running without a skin", (int)result,
               LtSkinLastError());
    text[599] = 0;
    if (o->shots)
        ErrorLine(text);
    else
        MessageBoxW(NULL, text, APP_TITLE, MB_OK | MB_ICONWARNING);
    return NULL;
}

static HWND CreateMainWindow(void) {
    WNDCLASSEXW wc;
    ZeroMemory(&wc, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainProc;
    wc.hInstance = g_instance;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.hIcon = LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"RawDemoWindow";
    if (!RegisterClassExW(&wc))
        return NULL;
    return CreateWindowExW(0, wc.lpszClassName, APP_TITLE, WS_OVERLAPPEDWINDOW, 60, 60, 560, 360,
                           NULL, LoadMenuW(g_instance, MAKEINTRESOURCEW(IDM_MAIN)), g_instance,
                           NULL);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prev, PWSTR cmd, int show) {
    INITCOMMONCONTROLSEX icc;
    Options o;
    LtSkin* skin;
    MSG msg;
    int argc = 0, ok;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    (void)prev, (void)cmd;
    g_instance = instance;
    ok = argv && ParseOptions(argc, argv, &o);
    if (!ok) {
        ErrorLine(L"usage: rawdemo [--skin FILE | --no-skin] [--screenshot DIR]");
        return 2;
    }
    g_shotDir = o.shots;
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);

    skin = LoadSkin(&o);
    if (skin && LtSkinApply(skin, LT_SKIN_ALL) != LT_SKIN_OK)
        ErrorLine(LtSkinLastError());

    g_main = CreateMainWindow();
    if (!g_main)
        return 1;
    ShowWindow(g_main, g_shotDir ? SW_SHOWNORMAL : show);
    UpdateWindow(g_main);
    if (g_shotDir)
        SetTimer(g_main, 1, SETTLE_MS, NULL);
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    LtSkinFree(skin);
    LocalFree(argv);
    return g_shotDir && g_saved != 4 ? 1 : 0;
}
