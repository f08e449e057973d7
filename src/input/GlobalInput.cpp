#include "input/GlobalInput.h"

// The signals of the interface are defined by moc in this target.
