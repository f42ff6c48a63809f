// The checker's vocabulary against the skin loader itself: every section and
// key the loader looks up (loading both built-in skins and a description
// that names every known key) is in the vocabulary as read, and every key
// the vocabulary calls read is looked up. A key added to the loader or to
// the table alone fails here.
#include "framework/ui/win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "framework/core/stream.h"
#include "framework/gdi/bmp_codec.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_loader.h"
#include "skin/store/quick_ini.h"
#include "skin/store/skin_reader.h"
#include "tools/skininfo/skin_folder_pack.h"
#include "tools/skintool/skin_archive.h"
#include "tools/skintool/skin_vocabulary.h"

namespace {

using TLookup = std::pair<std::string, std::string>; // section, key as looked up

// Runs the loader over a packed skin and records every lookup.
std::set<TLookup> LoaderLookups(const std::vector<uint8_t>& packed) {
    TReadOnlyMemoryStream src(packed.data(), static_cast<int64_t>(packed.size()));
    TSkinReader reader;
    EXPECT_TRUE(reader.Load(src));
    TMemoryStream iniFile;
    std::string name;
    reader.FindFileContaining(".ini", iniFile, name);
    TQuickIni ini;
    ini.LoadFromStream(iniFile);
    std::set<TLookup> seen;
    ini.SetLookupObserver([&seen](std::string_view s, std::string_view k) {
        seen.emplace(std::string(s), std::string(k));
    });
    TSkinData data(nullptr);
    TSkinLoader(data, ini, reader).BuildSkin();
    return seen;
}

std::vector<uint8_t> Picture() {
    TBmpImage img;
    img.Width = 48;
    img.Height = 24;
    img.BitsPerPixel = 24;
    img.Pixels.assign(img.Stride() * 24, 0x40);
    return EncodeBmp(img);
}

// A description with every read key of every read section, each with a
// value of its kind, and the one picture they all name.
std::vector<uint8_t> EverythingSkin() {
    std::string ini;
    for (const TSkinSectionInfo& s : SkinVocabulary()) {
        if (!s.Read)
            continue;
        ini += "[" + s.Name + (s.Prefix ? "7" : "") + "]\r\n";
        for (const TSkinKeyInfo& k : s.Keys) {
            const char* value = k.Kind == TSkinValueKind::Picture  ? "p.bmp"
                                : k.Kind == TSkinValueKind::Colour ? "1 2 3"
                                                                   : "1";
            ini += k.Key + "=" + value + "\r\n";
        }
    }
    return PackSkinArchive({{"p.bmp", Picture()}, {"all.ini", {ini.begin(), ini.end()}}});
}

std::string Name(const TLookup& l) {
    return "[" + l.first + "] " + l.second;
}

} // namespace

TEST(SkinVocabulary, MatchesWhatTheLoaderReads) {
    std::set<TLookup> lookups = LoaderLookups(EverythingSkin());
    for (const char* dir : {LT_XPLUNA_DIR, LT_GRAPHITE_DIR}) {
        const std::set<TLookup> more = LoaderLookups(PackSkinFolder(dir));
        lookups.insert(more.begin(), more.end());
    }
    ASSERT_GT(lookups.size(), 150u);
    // Everything the loader asks for is known as read.
    std::set<std::pair<const TSkinSectionInfo*, const TSkinKeyInfo*>> covered;
    for (const TLookup& l : lookups) {
        const TSkinSectionInfo* section = FindSkinSection(l.first);
        ASSERT_TRUE(section && section->Read) << "section not in the vocabulary: " << Name(l);
        const TSkinKeyInfo* key = FindSkinKey(*section, l.second);
        ASSERT_TRUE(key) << "key not in the vocabulary: " << Name(l);
        EXPECT_NE(key->Kind, TSkinValueKind::Unread) << "read but listed as unread: " << Name(l);
        covered.emplace(section, key);
    }
    // Everything the vocabulary calls read is asked for.
    for (const TSkinSectionInfo& s : SkinVocabulary()) {
        for (const TSkinKeyInfo& k : s.Keys) {
            if (s.Read && k.Kind != TSkinValueKind::Unread) {
                EXPECT_TRUE(covered.count({&s, &k}))
                    << "listed as read, never looked up: [" << s.Name << "] " << k.Key;
            }
        }
    }
}
