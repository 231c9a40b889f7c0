// The desktop's alert sound, for input the program cannot take. It goes
// through soundAlert, so that tests can count alerts instead of hearing them.
#pragma once

#include <functional>

void soundAlert();

// Replaces the real alert; an empty handler puts the real one back.
void setAlertHandler(std::function<void()> handler);
