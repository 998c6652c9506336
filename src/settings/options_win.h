// A read-only view of the program's options as the settings page holds them,
// for the subsystems that act on them.
#pragma once

#include "program/id_blocks.h"

#include <windows.h>

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
};
static_assert(program::kSettingsIds.contains(ID_HOTKEYREFUSED));

class Options {
  public:
    virtual ~Options() = default;
    // An option check box of the settings page, by its identifier.
    virtual bool ticked(int id) const = 0;
    // The opacity and the two slide-step sliders.
    virtual int sliderPosition(int id) const = 0;
    // The edge box's item: the dock edge (0 left, 1 top, 2 right, 3 bottom).
    virtual int placeIndex() const = 0;
    virtual COLORREF borderColor() const = 0;
};

} // namespace quivra::settings
