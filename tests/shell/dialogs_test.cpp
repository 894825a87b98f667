#include "tests/shell/shell_fixture.h"
