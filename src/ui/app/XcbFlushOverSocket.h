#pragma once

// How the launcher's windows reach an X server. Qt's X11 platform hands painted pixels to
// the server through shared memory, and before painting again into a part the server may
// still be reading, it waits for the server with a round trip: two more wake-ups of the
// launcher at every repaint, so at every second of the status clock while a title plays.
// The launcher's windows are small and mostly still, so their pixels go over the X socket
// instead (QT_XCB_NO_MITSHM while the application object connects), which needs no
// round trip. A value the user has set is left as it is, and nothing the launcher starts
// sees the variable.
namespace XcbFlushOverSocket {

// Just before the application object is made.
void Before();
// Just after it is made.
void After();

}  // namespace XcbFlushOverSocket
