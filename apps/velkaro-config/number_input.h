#pragma once
// A number field that shows a value exactly as the file will hold it (its shortest
// exact form) and takes typed text only once it is a whole number, so what the player
// sees is what is saved.

namespace config {

// Returns true when the value changed this frame. The text stays as typed while the
// field is being edited; text that is not (yet) a number is marked and not taken.
bool InputExactNumber(const char* id, double* value, float width);

}  // namespace config
