// Draws every picture of a skin model onto one bitmap, row by row.
#include "tools/skininfo/skin_sheet.h"

#include <algorithm>

#include "skin/model/skin_data.h"

namespace {

constexpr int kGap = 4;
constexpr TColor kBackground = 0x00808080;

struct Item {
    std::string label;
    TBitmap* picture;
};

// Every non-empty picture of the model, objects in their declaration order.
std::vector<Item> Pictures(TSkinData& d) {
    std::vector<Item> items;
    auto add = [&](const std::string& label, TBitmap& b) {
        if (!b.Empty())
            items.push_back({label, &b});
    };
    auto addObject = [&](TDataSkinObject* o, const std::string& name) {
        if (!o)
            return;
        add(name + ".Picture", o->Picture);
        if (auto* b = dynamic_cast<TDataSkinBorder*>(o))
            add(name + ".Picture2", b->Picture2);
        if (auto* b = dynamic_cast<TDataSkinButton*>(o)) {
            add(name + ".CheckPicture", b->CheckPicture);
            add(name + ".RadioPicture", b->RadioPicture);
        }
    };
    addObject(d.LeftBorder.get(), "LeftBorder");
    addObject(d.RightBorder.get(), "RightBorder");
    addObject(d.TopBorder.get(), "TopBorder");
    addObject(d.BottomBorder.get(), "BottomBorder");
    addObject(d.Title.get(), "Title");
    addObject(d.Buttons.get(), "Buttons");
    for (size_t i = 0; i < d.CaptionButtons.size(); ++i)
        addObject(d.CaptionButtons[i].get(), "CaptionButtons[" + std::to_string(i) + "]");
    TDataSkinObject* optional[] = {
        d.Progress.get(),           d.MenuBar.get(),           d.GroupBoxEdge.get(),
        d.GroupBox.get(),           d.Toolbars.get(),          d.Tabs.get(),
        d.StatusBarEdges.get(),     d.ComboButton.get(),       d.SunkEdge.get(),
        d.ExtraImages.get(),        d.Headerbar.get(),         d.MenuItem.get(),
        d.MenuBackground.get(),     d.Scrollbar.get(),         d.HorzScroll.get(),
        d.VertScroll.get(),         d.HorzScrollThumb.get(),   d.VertScrollThumb.get(),
        d.TrackbarThumbHorz.get(),  d.TrackbarThumbVert.get(), d.TrackbarThumbLeft.get(),
        d.TrackbarThumbRight.get(), d.TrackbarThumbUp.get(),   d.TrackbarThumbDown.get(),
        d.UpDownHorz.get(),         d.UpDownVert.get()};
    for (TDataSkinObject* o : optional)
        if (o)
            addObject(o, o->Name);
    return items;
}

} // namespace

// Places the pictures in rows and copies each onto the sheet.
TSkinSheet DrawSkinSheet(TSkinData& data, int width) {
    TSkinSheet sheet;
    std::vector<Item> items = Pictures(data);
    if (items.empty())
        return sheet;
    int x = kGap, y = kGap, rowHeight = 0, sheetWidth = 0;
    for (const Item& it : items) {
        int w = it.picture->Width(), h = it.picture->Height();
        if (x > kGap && x + w + kGap > width) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        sheet.Places.push_back({it.label, RECT{x, y, x + w, y + h}});
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
        sheetWidth = std::max(sheetWidth, x);
    }
    sheet.Bitmap =
        std::make_unique<TBitmap>(sheetWidth, y + rowHeight + kGap, TPixelFormat::pf24bit);
    TCanvas& canvas = sheet.Bitmap->Canvas();
    canvas.Brush().SetColor(kBackground);
    canvas.FillRect(RECT{0, 0, sheet.Bitmap->Width(), sheet.Bitmap->Height()});
    for (size_t i = 0; i < items.size(); ++i) {
        const RECT& r = sheet.Places[i].Bounds;
        TCanvas& source = items[i].picture->Canvas();
        BitBlt(canvas.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, source.Handle(),
               0, 0, SRCCOPY);
    }
    return sheet;
}
