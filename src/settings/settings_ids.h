// Identifiers of the settings page; the options are asked for by the identifier of their control.
// They come from the subsystem's block, so that one number tells the router where a command,
// notification or tick goes.
#pragma once

#include "program/id_blocks.h"

namespace quivra::settings {

// Control identifiers of the settings page; the options are asked for by
// the identifier of their control.
enum SettingsId : int {
    ID_SETTINGSP = program::kSettingsIds.first,
    ID_ISTRAYICON,
    ID_ISFOCUSONTRAYCLICK,
    ID_ISDBLCLICK,
    ID_ISENABLEHOTKEY,
    ID_ISFOCUSONHOTKEY,
    ID_ISSTARTUP,
    ID_DISABLESHOWINGONSTART,
    ID_ISONELISTCLICK,
    ID_ISFOCUSONSELECTNOTE,
    ID_ISDYNSEARCH,
    ID_ISSEARCHFILTER,
    ID_ISSIMPLEFONTLIST,
    ID_ISDETECTURL,
    ID_ISSHOWCOPY,
    ID_ISANISHOW,
    ID_ISANIHIDE,
    ID_ISUSEANIMATION,
    ID_WD_OWNDIR,
    ID_DATADIRV,
    ID_WD_CUSTOMDIR,
    ID_CUSTOMDIRV,
    ID_CUSTOMDIRBROWSE,
    ID_APPLYDATADIR,
    ID_CLEARCOORDS,
    ID_CUSTOMBROWSERPATH,
    ID_CHOOSEBROWSER,
    ID_BROWSERDELETE,
    ID_PLACE,
    ID_SKINSLIST,
    ID_SLABEL6,
    ID_BVLCOLOR,
    ID_DELAYSHOWBAR,
    ID_DELAYHIDEBAR,
    ID_OPVAL,
    ID_BQUIT,
    ID_G1,
    ID_TREE,
    ID_BROWSEOK,
    ID_BROWSECANCEL,
    ID_BROWSECREATE,
    ID_FOLNAME,
    ID_FN_OK,
    ID_FN_CANEL,
    ID_HOTKEYKEYS,    // the hotkey field: another combination than Win+N
    ID_HOTKEYREFUSED, // the message that the combination is taken
    ID_STRONGCIPHER,
};
static_assert(program::kSettingsIds.contains(ID_STRONGCIPHER));

} // namespace quivra::settings
