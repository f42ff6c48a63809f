// Bars over the platform's controls: up-down (spin) buttons, progress bar and
// track bar.
#pragma once

#include "framework/ui/wincontrol.h"

LT_ENUM(TUDOrientation, udHorizontal, udVertical)
LT_ENUM(TUDBtnType, btNext, btPrev)
LT_ENUM(TProgressBarOrientation, pbHorizontal, pbVertical)
LT_ENUM(TTrackBarOrientation, trHorizontal, trVertical)
LT_ENUM(TTickStyle, tsNone, tsAuto, tsManual)
LT_ENUM(TTickMark, tmBottomRight, tmTopLeft, tmBoth)

using TUDClickEvent = TEvent<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = TEvent<void(TObject* sender, bool& allowChange)>;

// Window style bits for the orientation and tick settings of a track bar.
DWORD TrackBarStyle(TTrackBarOrientation orientation, TTickStyle ticks, TTickMark marks);

// Two arrow buttons that step a position, optionally shown in a buddy control.
class TUpDown : public TWinControl {
    LT_CLASS(TUpDown, TWinControl)
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* control);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    // Read from the control while it has a window (it moves with the arrows).
    int Position() const;
    void SetPosition(int v);
    int Increment() const { return increment_; }
    void SetIncrement(int v);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation v);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool v) { wrap_ = v; }

    // After an arrow moved the position.
    TUDClickEvent OnClick;
    // Before an arrow moves the position; clear allowChange to keep it.
    TUDChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;
    void Notification(TComponent* c, TOperation op) override;

private:
    void ApplyRange();
    void ApplyBuddy();

    TWinControl* associate_ = nullptr;
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    TUDOrientation orientation_ = udVertical;
    bool wrap_ = false;
};

class TProgressBar : public TWinControl {
    LT_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    int Step() const { return step_; }
    void SetStep(int v) { step_ = v; }
    // Moves the position by Step, stopping at the ends.
    void StepIt();
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation v);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool v);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    void ApplyStyle();

    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    TProgressBarOrientation orientation_ = pbHorizontal;
    bool smooth_ = false;
};

class TTrackBar : public TWinControl {
    LT_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);

    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    // Read from the control while it has a window (the thumb moves it).
    int Position() const;
    void SetPosition(int v);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation v);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle v);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark v);
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int v);

    // The user moved the thumb (mouse or keys).
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void WndProc(TMessage& msg) override;

private:
    void ApplyStyle();
    void ApplySettings();
    void Changed();

    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1, pageSize_ = 2, lineSize_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;
    TTickStyle tickStyle_ = tsAuto;
    TTickMark tickMarks_ = tmBottomRight;
};
