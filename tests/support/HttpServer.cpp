#include "tests/support/HttpServer.h"
