/* The public header compiled as C99 (strict, warnings as errors): every
 * declaration is used once, and the functions link from C. */
#include <lantuo/skin.h>

int LtSkinHeaderC99Check(void);

int LtSkinHeaderC99Check(void) {
    static const unsigned char notSkin[] = {'n', 'o', 't', ' ', 'a', ' ', 's', 'k', 'i', 'n'};
    LtSkin* skin = NULL;
    LtSkinResult result = LtSkinLoadMemory(notSkin, sizeof notSkin, &skin);
    const wchar_t* words = LtSkinLastError();
    if (skin || !words || !words[0])
        return -1;
    if (LtSkinLoadFile(L"", &skin) != LT_SKIN_INVALID_ARGUMENT)
        return -2;
    if (LtSkinApply(skin, LT_SKIN_ALL & ~LT_SKIN_SYSTEM_MENU) != LT_SKIN_INVALID_ARGUMENT)
        return -3;
    if (LtSkinExcludeWindow((HWND)0) != LT_SKIN_INVALID_ARGUMENT)
        return -4;
    LtSkinRemove();
    LtSkinFree(skin);
    return (int)result;
}
