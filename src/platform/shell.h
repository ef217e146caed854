#pragma once
#include <string>

namespace platform {

// The window's menu as far as the game reads and changes it.
class Menu {
public:
  virtual ~Menu() = default;
  virtual bool IsChecked(int commandId) = 0;
  virtual void SetChecked(int commandId, bool checked) = 0;
  // Gives an item a new text (Shift-JIS) and greys it out or enables it.
  virtual void SetItem(int commandId, const std::string& sjisText, bool enabled) = 0;
};

// Starting outside programs.
class Processes {
public:
  virtual ~Processes() = default;
  // Starts the program named by a command word (no shell, no arguments) in the working
  // directory and waits until it has ended. False when it could not be started.
  virtual bool RunAndWait(const std::string& command) = 0;
};

}  // namespace platform
