#pragma once
// How many boxes have been asked for through the message handler since the program started (a
// box held back by a message cap included: the cap's last box tells it). A command can see so
// whether it has told the user anything.

namespace platform {
unsigned long MessagesAsked();
}
