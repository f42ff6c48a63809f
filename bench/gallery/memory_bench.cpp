// Memory and GDI objects of the skin gallery after it has shown every page
// under both built-in skins (the screenshot walk, pictures written to a
// scratch folder), then the same process once the frame routines' prepared
// images are freed: the difference is what the cache holds; the wrappers'
// kept compositions are counted where they are held, and both added up.
//   gallery_memory_bench [SCRATCH_DIR]   (default: a folder under %TEMP%)
#include "framework/ui/win32.h"

#include <string>

#include "bench/bench_util.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/ui/application.h"
#include "skin/controls/skin_control.h"
#include "skin/draw/skin_draw.h"
// A tree without the prepared-image cache builds this program too and
// prints the totals alone (the figures before the cache).
#if __has_include("skin/draw/draw_cache.h")
#define LT_DRAW_CACHE 1
#endif
#include "skin/window/skin_engine.h"
#include "skin/window/skin_manager.h"
#include "tools/gallery/gallery_capture.h"
#include "tools/gallery/gallery_form.h"
#include "tools/gallery/gallery_skins.h"

namespace {

// GDI objects proper held by the counted wrappers (selections and saved DC
// states are not objects; Wine's GetGuiResources answers 0, so these count).
int CountedGdiObjects() {
    int n = 0;
    for (TGdiKind k : {TGdiKind::Bitmap, TGdiKind::Brush, TGdiKind::Pen, TGdiKind::Font,
                       TGdiKind::Region, TGdiKind::Palette, TGdiKind::MemoryDC})
        n += GdiLiveCount(k);
    return n;
}

// Committed private memory of the process, from a walk of its address space
// (Wine's process memory counters leave the private bytes at 0).
double PrivateMegabytes() {
    size_t bytes = 0;
    MEMORY_BASIC_INFORMATION info{};
    for (const char* at = nullptr;
         VirtualQuery(at, &info, sizeof info) == sizeof info && at + info.RegionSize > at;
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            bytes += info.RegionSize;
    }
    return bytes / (1024.0 * 1024.0);
}

void ReportState(const std::string& prefix) {
    bench::Report(prefix + "private_bytes", PrivateMegabytes(), "MB");
    bench::Report(prefix + "gdi_objects_counted", CountedGdiObjects(), "objects");
    bench::Report(prefix + "gdi_objects_process",
                  GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), "objects");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Without a folder the pictures go to one under the user's temporary
    // folder, never into the current one.
    std::wstring scratch = argc > 1 ? argv[1] : L"";
    if (scratch.empty()) {
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        scratch = std::wstring(temp, n > 0 && n <= MAX_PATH ? n : 0) + L"lantuo_gallery_memory";
        CreateDirectoryW(scratch.c_str(), nullptr);
    }
    InstallSkinEngine();
    TApplication application(nullptr);
    application.Initialize();
    auto* form = application.CreateForm<TForm_Gallery>();
    form->Show();
    int pages = 0;
    for (TGallerySkin skin : {TGallerySkin::XPLuna, TGallerySkin::Graphite}) {
        if (!form->Skins().UseEmbedded(skin)) {
            std::printf("gallery_memory_bench: a skin did not load\n");
            return 1;
        }
        form->Skins().SetSkinning(true);
        std::wstring log;
        pages +=
            SaveEveryPage(*form, scratch + (skin == TGallerySkin::XPLuna ? L"\\a" : L"\\b"), log);
    }
    bench::Report("gallery.pages_shown", pages, "pages");
    ReportState("gallery.");
#ifdef LT_DRAW_CACHE
    const TSkinDrawCacheStats cache = SkinDrawCacheStats();
    bench::Report("gallery.cache_entries", cache.Entries, "entries");
    bench::Report("gallery.cache_bytes", cache.Bytes / (1024.0 * 1024.0), "MB");
    bench::Report("gallery.cache_hit_ratio",
                  double(cache.Hits) / double(std::max<int64_t>(1, cache.Hits + cache.Misses)),
                  "of paints");
    const int objects = CountedGdiObjects();
    const double bytes = PrivateMegabytes();
    ClearSkinDrawCache();
    ReportState("gallery.cache_freed_");
    const int cacheObjects = objects - CountedGdiObjects();
    const double cacheBytes = bytes - PrivateMegabytes();
    bench::Report("gallery.cache_gdi_objects", cacheObjects, "objects");
    bench::Report("gallery.cache_private_bytes", cacheBytes, "MB");
    // The wrappers' kept compositions (status bars, tab strips, scroll bars)
    // are the other cache: counted where they are held.
    const TKeptPictureStats kept = KeptPictureStats();
    bench::Report("gallery.kept_pictures", kept.Pictures, "pictures");
    bench::Report("gallery.kept_gdi_objects", kept.GdiObjects, "objects");
    bench::Report("gallery.kept_bytes", kept.Bytes / (1024.0 * 1024.0), "MB");
    bench::Report("gallery.caches_gdi_objects", cacheObjects + kept.GdiObjects, "objects");
    bench::Report("gallery.caches_private_bytes", cacheBytes + kept.Bytes / (1024.0 * 1024.0),
                  "MB");
#endif
    application.DestroyComponents();
    TSkinManage::Finalize();
    return 0;
}
