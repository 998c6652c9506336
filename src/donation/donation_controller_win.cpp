#include "donation/donation_controller_win.h"

#include "donation/donation_details.h"
#include "settings/keys.h"

#include <filesystem>

namespace quivra::donation {

void DonationController::startReminderTimer() {
    SetTimer(host_.mainWindow(), AdvTimer, 1000, nullptr);
    timerOn_ = true;
}

void DonationController::ensureCreated() {
    // Most starts never show either window: they are made when first needed.
    if (advForm_)
        return;
    dForm_ = std::make_unique<TDForm>(std::filesystem::path(state_.dataFolder));
    advForm_ = std::make_unique<TAdvForm>(state_.SettingsFile->path(), *dForm_);
    dForm_->create();
    advForm_->create();
}

TAdvForm& DonationController::advForm() {
    ensureCreated();
    return *advForm_;
}

TDForm& DonationController::detailsForm() {
    ensureCreated();
    return *dForm_;
}

bool DonationController::showing() const {
    return (advForm_ && advForm_->isShowing()) || (dForm_ && dForm_->isShowing());
}

void DonationController::AdvTimerTimer() {
    KillTimer(host_.mainWindow(), AdvTimer);
    timerOn_ = false;
    if (shouldShowReminder(read(*state_.SettingsFile, settings::keys::NoAdv), state_.DaysInUse))
        advForm().show();
}

bool DonationController::onCommand(int id, int code, HWND) {
    if (id != ID_ADVLABEL)
        return false;
    if (code == STN_CLICKED)
        AdvLabelClick();
    return true;
}

void DonationController::AdvLabelClick() {
    detailsForm().show();
}

bool DonationController::onTimer(UINT_PTR id) {
    if (id != AdvTimer)
        return false;
    AdvTimerTimer();
    return true;
}

} // namespace quivra::donation
