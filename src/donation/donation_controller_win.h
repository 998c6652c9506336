// The donation reminder shown once after start from the third day of use,
// and the window with the payment details, opened from the reminder or from
// the label on the about page.
#pragma once

#include "donation/adv_form_win.h"
#include "donation/d_form_win.h"
#include "donation/donation_ids.h"
#include "program/program_state.h"
#include "program/subsystem_win.h"

#include <memory>

namespace quivra::donation {

class DonationController final : public program::Subsystem {
  public:
    DonationController(program::Host& host, program::ProgramState& state)
        : host_(host), state_(state) {}

    // Starts the reminder's timer (start-up, once the days of use are known).
    void startReminderTimer();
    bool reminderTimerEnabled() const noexcept { return timerOn_; }
    // Either window is on the screen.
    bool showing() const;
    // The two windows, created hidden when first needed.
    TAdvForm& advForm();
    TDForm& detailsForm();

    void AdvTimerTimer();
    // The about page's label "Хотите пожертвовать...": the details window.
    void AdvLabelClick();

    bool onCommand(int id, int code, HWND control) override;
    bool onTimer(UINT_PTR id) override;

  private:
    void ensureCreated();

    program::Host& host_;
    program::ProgramState& state_;
    std::unique_ptr<TDForm> dForm_;
    std::unique_ptr<TAdvForm> advForm_;
    bool timerOn_ = false;
};

} // namespace quivra::donation
