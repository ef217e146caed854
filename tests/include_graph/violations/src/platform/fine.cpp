// The platform layer may include the system.
#include <unistd.h>
