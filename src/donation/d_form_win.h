// The donation details window "Пожертвование": the payment details from
// Data\donation.ini in read-only fields that select their whole text when
// clicked, for copying, or a plain sentence that none are set.
#pragma once

#include "donation/donation_window_win.h"

#include <array>
#include <filesystem>

namespace quivra::donation {

class TDForm : public DonationWindow {
  public:
    // Control identifiers.
    static constexpr int kHeader = 200, kIntro = 201, kFirstService = 202, kWM_R = 203, kWM_Z = 204,
                         kWM_E = 205, kSecondService = 206, kQ = 207, kNotSet = 208,
                         kSButton1 = 209;

    static constexpr int kWidth = 375, kHeight = 206;

    explicit TDForm(std::filesystem::path dataFolder);
    // Creates the window hidden.
    bool create();
    // Reads the details file again and shows the window.
    void show();

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onButton(int id) override;

  private:
    void loadDetails();
    void sButton1Click();
    void WM_RClick();
    void WM_ZClick();
    void WM_EClick();
    void QClick();
    void onFieldClick(int id);
    static void selectAll(HWND field);

    static LRESULT CALLBACK fieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                      DWORD_PTR self);

    std::filesystem::path dataFolder_;
};

} // namespace quivra::donation
