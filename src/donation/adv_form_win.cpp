#include "donation/adv_form_win.h"

#include "donation/donation_details.h"

namespace quivra::donation {

namespace {
constexpr wchar_t kClassName[] = L"TAdvForm";
constexpr int kButtonX = 8, kButtonW = 273, kButtonH = 36;
} // namespace

TAdvForm::TAdvForm(std::filesystem::path settingsFile, TDForm& details)
    : settingsFile_(std::move(settingsFile)), details_(details) {}

bool TAdvForm::create() {
    if (!createFrame(kClassName, L"Quivra", kWidth, kHeight))
        return false;
    addHeader(kHeader, L"Quivra", 41, font(32));
    addControl(L"STATIC", L"Понравилась программа?", SS_CENTER | SS_NOPREFIX, sLabel1, 8, 50, 273,
               24, font(19));
    addControl(L"STATIC", L"Хртите ли Вы помочь проекту?", SS_CENTER | SS_NOPREFIX, sLabel2, 8, 80,
               273, 21, font(16));
    HFONT text = font(11);
    const DWORD button = WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
    addControl(L"BUTTON", L"Да, покажи мне как это можно сделать и напомни при следующем запуске",
               button, Adv_yes, kButtonX, 115, kButtonW, kButtonH, text);
    addControl(L"BUTTON", L"Да, покажи мне как это можно сделать и не напоминай больше об этом",
               button, Adv_yes2, kButtonX, 157, kButtonW, kButtonH, text);
    addControl(L"BUTTON", L"Я подумаю, напомни мне при следующем запуске", button, sButton2,
               kButtonX, 199, kButtonW, kButtonH, text);
    addControl(L"BUTTON", L"Нет, не напоминай мне больше об этом", button, Adv_no, kButtonX, 241,
               kButtonW, kButtonH, text);
    return true;
}

void TAdvForm::onButton(int id) {
    switch (id) {
    case Adv_yes:
        Adv_yesClick();
        break;
    case Adv_yes2:
        Adv_yes2Click();
        break;
    case sButton2:
        CloseAdvClick();
        break;
    case Adv_no:
        Adv_noClick();
        break;
    default:
        break;
    }
}

void TAdvForm::Adv_yesClick() {
    hide();
    details_.show();
}

void TAdvForm::Adv_yes2Click() {
    switchReminderOff(settingsFile_);
    hide();
    details_.show();
}

void TAdvForm::CloseAdvClick() {
    hide();
}

void TAdvForm::Adv_noClick() {
    switchReminderOff(settingsFile_);
    hide();
}

} // namespace quivra::donation
