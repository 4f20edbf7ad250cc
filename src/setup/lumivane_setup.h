#pragma once

#include "settings/ports.h"
#include "setup/setup_view.h"
#include "setup/sky_setup.h"

namespace lumivane {

// The setup dialog's behaviour. It reads its initial values from the store
// and writes the user's choices straight back; it never sees the world
// window's settings. The shell calls OnInitDialog once, then one handler per
// command; the dialog ends through the view.
class LumivaneSetup {
 public:
  // owner: the dialog itself, for the message of the start-at-logon entry.
  LumivaneSetup(ProfileStore& store, SetupView& view, StartupRegistration& registration,
                MessageSink& owner);

  void OnInitDialog();
  void OnOK();          // writes every setting shown, ends with kIdOk
  void OnCancel();      // also the Esc key: ends with kIdCancel, writes nothing
  void OnExit();        // ends with kIdExit, writes nothing
  void OnSetDefault();  // writes the defaults, ends with kIdReload
  void OnEarthMap();    // a chosen file ends with kIdReload; a cancel changes nothing
  void OnSky();         // the Sky dialog edits the sky that OK stores

  // Runs the handler of a command id; false for an id the dialog does not
  // handle.
  bool OnCommand(int commandId);

 private:
  ProfileStore& store_;
  SetupView& view_;
  StartupRegistration& registration_;
  MessageSink& owner_;
  SkyChoice storedSky_;   // as the dialog opened
  SkyChoice pendingSky_;  // as the Sky dialog left it
};

}  // namespace lumivane
