// gemmi's headers take stb_sprintf from beside them; Debian ships it on its
// own (libstb-dev). This stands where gemmi looks, so that it builds
// without the warning it gives for the system's copy.
#include <stb/stb_sprintf.h>
