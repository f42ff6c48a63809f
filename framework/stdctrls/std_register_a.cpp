// Registration of the first half of the standard controls.
#include "framework/stdctrls/std_register_a.h"

#include "framework/core/class_builder.h"
#include "framework/stdctrls/std_buttons.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_lists.h"

void RegisterStandardControlsA() {
    RegisterClasses<TButtonControl, TButton, TBitBtn, TSpeedButton, TCheckBox, TRadioButton,
                    TCustomGroupBox, TGroupBox, TRadioGroup, TPanel, TCustomEdit, TEdit, TMemo,
                    TCustomListControl, TListBox, TComboBox, TScrollBar>();
}
