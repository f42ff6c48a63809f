/*
 * lantuo/skin.h - skin any Win32 program from a packed skin file.
 *
 * Three calls skin a program's windows: load a skin, apply it, free it at
 * the end.
 *
 *     LtSkin* skin = NULL;
 *     if (LtSkinLoadFile(L"graphite.skn", &skin) == LT_SKIN_OK)
 *         LtSkinApply(skin, LT_SKIN_ALL);
 *     ... the program's message loop ...
 *     LtSkinFree(skin);
 *
 * What is skinned: every visible top-level window of the calling thread
 * when LtSkinApply runs, and every one activated afterwards (a new window is
 * skinned when it is first activated), gets the skin's frame, title bar and
 * caption buttons at the same client size; a window menu becomes the
 * skinned menu bar; popup menus (context menus, drop-downs, the system menu)
 * get the skin's border and background. Child controls of a window get a
 * skinned look by their window class: push buttons, check boxes, radio
 * buttons, edits, drop-down combo boxes, size grips and nested dialogs.
 * Other controls keep the platform's look.
 *
 * Threading: the interface belongs to one thread at a time - the thread that
 * made the first call (normally the user-interface thread) - until no skin
 * is loaded and none is applied; then the next thread to call takes it.
 * Only that thread's windows are skinned. A call from any other thread does
 * nothing and answers LT_SKIN_WRONG_THREAD (LtSkinFree and LtSkinRemove,
 * which answer nothing, only record the failure). LtSkinLastError may be
 * called from any thread: it answers that thread's own last failure.
 *
 * Errors: no function raises an exception or shows a message; each failure
 * answers a result code and leaves its explanation for LtSkinLastError.
 *
 * Unloading: a program that loads the DLL at run time unloads it only after
 * LtSkinRemove (skinned windows run code of the DLL).
 *
 * Linking: the DLL (lantuo_skin.dll with its import library) by default; for
 * the static library define LT_SKIN_STATIC before including this header (the
 * CMake target LantuoSkin::skin_static does it).
 *
 * The header is C99 and C++.
 */
#ifndef LANTUO_SKIN_H
#define LANTUO_SKIN_H

#include <stddef.h>
#include <wchar.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(LT_SKIN_STATIC) || defined(LT_SKIN_BUILDING)
#define LT_SKIN_API
#else
#define LT_SKIN_API __declspec(dllimport)
#endif
/* The platform's own calling convention: callable from any language that
 * calls the system's functions. */
#define LT_SKIN_CALL __stdcall

/* A loaded skin; opaque. */
typedef struct LtSkin LtSkin;

typedef enum LtSkinResult {
    LT_SKIN_OK = 0,
    /* The file or memory is not a packed skin, or it is damaged. */
    LT_SKIN_BAD_FILE = 1,
    /* The skin file does not exist or cannot be opened. */
    LT_SKIN_NOT_FOUND = 2,
    /* The call came from a thread that does not own the interface. */
    LT_SKIN_WRONG_THREAD = 3,
    /* A null pointer, an unknown kind bit or a window that does not exist. */
    LT_SKIN_INVALID_ARGUMENT = 4,
    /* Memory or a system resource (window, hook, timer) ran out. */
    LT_SKIN_OUT_OF_RESOURCES = 5,
    /* Any other failure; LtSkinLastError says which. */
    LT_SKIN_FAILED = 6
} LtSkinResult;

/* Kinds of windows and controls LtSkinApply may skin; combine with |. */
#define LT_SKIN_MAIN_MENU 0x00001u  /* window frames, title bars, menu bars */
#define LT_SKIN_POPUP_MENU 0x00002u /* context menus */
#define LT_SKIN_MENU_ITEM 0x00004u  /* drop-downs of a menu bar */
#define LT_SKIN_TOOLBAR 0x00008u
#define LT_SKIN_CONTROLBAR 0x00010u
#define LT_SKIN_COMBO 0x00020u
#define LT_SKIN_CHECK_BOX 0x00040u
#define LT_SKIN_RADIO_BUTTON 0x00080u
#define LT_SKIN_PROGRESS 0x00100u
#define LT_SKIN_SCROLLBAR 0x00200u
#define LT_SKIN_EDIT 0x00400u
#define LT_SKIN_BUTTON 0x00800u
#define LT_SKIN_BIT_BUTTON 0x01000u
#define LT_SKIN_SPEED_BUTTON 0x02000u
#define LT_SKIN_PANEL 0x04000u
#define LT_SKIN_GROUP_BOX 0x08000u
#define LT_SKIN_STATUS_BAR 0x10000u
#define LT_SKIN_TAB 0x20000u
#define LT_SKIN_SYSTEM_MENU 0x40000u
#define LT_SKIN_ALL 0x7FFFFu

/* Loads a packed skin (.skn) file. On success *skin is the new skin; on
 * failure *skin is NULL. */
LT_SKIN_API LtSkinResult LT_SKIN_CALL LtSkinLoadFile(const wchar_t* path, LtSkin** skin);

/* Loads a packed skin from memory; the bytes are copied. */
LT_SKIN_API LtSkinResult LT_SKIN_CALL LtSkinLoadMemory(const void* data, size_t size,
                                                       LtSkin** skin);

/* Frees a skin; NULL is allowed. A skin that is applied is removed first. */
LT_SKIN_API void LT_SKIN_CALL LtSkinFree(LtSkin* skin);

/* Skins the calling thread's windows with the skin, limited to `kinds`
 * (LT_SKIN_ALL for everything). Calling it again with another skin or other
 * kinds switches: every window keeps its client size. */
LT_SKIN_API LtSkinResult LT_SKIN_CALL LtSkinApply(LtSkin* skin, unsigned kinds);

/* Puts every skinned window back exactly as it was: client size, styles,
 * menu, window procedure. Nothing is skinned afterwards until the next
 * LtSkinApply. Without an applied skin it does nothing. */
LT_SKIN_API void LT_SKIN_CALL LtSkinRemove(void);

/* Leaves the window and its children alone from now on; a window already
 * skinned is put back first. */
LT_SKIN_API LtSkinResult LT_SKIN_CALL LtSkinExcludeWindow(HWND window);

/* The calling thread's last failure in words ("" before any); valid until
 * that thread's next call that fails. */
LT_SKIN_API const wchar_t* LT_SKIN_CALL LtSkinLastError(void);

#ifdef __cplusplus
}
#endif

#endif /* LANTUO_SKIN_H */
