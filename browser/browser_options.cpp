// Flag values of the browser host's option sets.
#include "browser/browser_options.h"

namespace {

constexpr uint32_t kDownloadFlags[] = {
    0x10,    0x20,       0x40,       0x80,       0x100,      0x200,   0x400,
    0x800,   0x1000,     0x2000,     0x4000,     0x8000,     0x10000, 0x20000,
    0x40000, 0x10000000, 0x20000000, 0x40000000, 0x80000000,
};

constexpr uint32_t kUserInterfaceFlags[] = {
    0x1,   0x2,    0x4,    0x8,    0x10,    0x20,    0x40,    0x80,    0x100,    0x200,    0x400,
    0x800, 0x1000, 0x2000, 0x4000, 0x10000, 0x20000, 0x40000, 0x80000, 0x100000, 0x200000,
};

static_assert(sizeof(kDownloadFlags) / sizeof(kDownloadFlags[0]) == DLCTL_OFFLINE + 1);
static_assert(sizeof(kUserInterfaceFlags) / sizeof(kUserInterfaceFlags[0]) ==
              static_cast<int>(TUserInterfaceOption::NO3DOUTERBORDER) + 1);

} // namespace

uint32_t DownloadControlFlag(TDownloadControlOption option) {
    return kDownloadFlags[option];
}

uint32_t UserInterfaceFlag(TUserInterfaceOption option) {
    return kUserInterfaceFlags[static_cast<int>(option)];
}

uint32_t DownloadControlValue(TDownloadControlOptions options) {
    uint32_t value = 0;
    for (int i = 0; i <= DLCTL_OFFLINE; ++i)
        if (options.Contains(static_cast<TDownloadControlOption>(i)))
            value += kDownloadFlags[i];
    return value;
}

uint32_t UserInterfaceValue(TUserInterfaceOptions options) {
    uint32_t value = 0;
    for (int i = 0; i <= static_cast<int>(TUserInterfaceOption::NO3DOUTERBORDER); ++i)
        if (options.Contains(static_cast<TUserInterfaceOption>(i)))
            value += kUserInterfaceFlags[i];
    return value;
}

TUserInterfaceOptions ForcedUserInterfaceOptions(TUserInterfaceOptions options, bool hideBorders,
                                                 bool hideScrollBars) {
    if (hideBorders)
        options.Include(TUserInterfaceOption::NO3DBORDER)
            .Include(TUserInterfaceOption::NO3DOUTERBORDER);
    else
        options.Exclude(TUserInterfaceOption::NO3DBORDER)
            .Exclude(TUserInterfaceOption::NO3DOUTERBORDER);
    if (hideScrollBars)
        options.Include(TUserInterfaceOption::SCROLL_NO);
    else
        options.Exclude(TUserInterfaceOption::SCROLL_NO);
    return options;
}
