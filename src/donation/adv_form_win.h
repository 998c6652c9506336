// The donation reminder: a small always-on-top window that asks whether the
// user would like to support the program and offers the details window, a
// reminder at the next start, or no reminder ever again (NoAdv=1 in the
// settings file).
#pragma once

#include "donation/d_form_win.h"

#include <filesystem>

namespace quivra::donation {

class TAdvForm : public DonationWindow {
  public:
    // Control identifiers.
    static constexpr int kHeader = 100, sLabel1 = 101, sLabel2 = 102, Adv_yes = 110, Adv_yes2 = 111,
                         sButton2 = 112, Adv_no = 113;

    static constexpr int kWidth = 289, kHeight = 286;

    // `settingsFile` is the program's settings file, written through an object
    // of this window's own; `details` is shown by the two "Да" buttons.
    TAdvForm(std::filesystem::path settingsFile, TDForm& details);
    // Creates the window hidden.
    bool create();

  protected:
    void onButton(int id) override;

  private:
    void Adv_yesClick();
    void Adv_yes2Click();
    void CloseAdvClick();
    void Adv_noClick();

    std::filesystem::path settingsFile_;
    TDForm& details_;
};

} // namespace quivra::donation
