// The static texts of the help and about pages.
#pragma once

namespace quivra::app {

extern const wchar_t* const kHelpGeneralText;
extern const wchar_t* const kHelpWindowKeysText;
extern const wchar_t* const kHelpLicenceText;
extern const wchar_t* const kAboutText;
extern const wchar_t* const kProgramVersion;

} // namespace quivra::app
