// The two sound cues: a click for a digit taken, a tone for a step completed.
#pragma once

enum class Cue { None, Digit, Function };
