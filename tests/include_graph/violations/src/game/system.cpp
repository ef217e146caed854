// Game code that talks to the window system and the GL device directly.
#include <SDL.h>
#include "platform/gl/gl_device.h"
#include "platform/io/files.h"
