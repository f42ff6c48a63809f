// Registration of the tab, bar, view, tool-bar and picker controls.
#include "framework/stdctrls/std_register_b.h"

#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_bars.h"
#include "framework/stdctrls/std_pickers.h"
#include "framework/stdctrls/std_tabs.h"
#include "framework/stdctrls/std_toolbar.h"
#include "framework/stdctrls/std_views.h"

void RegisterStandardControlsB() {
    RegisterClasses<TPageControl, TTabSheet, TTabControl, TTabSet, TUpDown, TProgressBar, TTrackBar,
                    TListView, TListColumns, TListColumn, TListItems, TListItem, THeaderControl,
                    THeaderSections, THeaderSection, TTreeView, TToolBar, TToolButton, TScrollBox,
                    TControlScrollBar, TDateTimePicker, TRichEdit>();
}
