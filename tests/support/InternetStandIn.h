#pragma once
// End-to-end tests never reach the internet: the engine is told to send every request for
// a host other than this machine (or one under .invalid) to a local server, as to a proxy. Portal buttons and the
// start address then land there, and a test can see which sites were asked for.
#include "tests/support/HttpServer.h"

namespace zemora::test {

// The stand-in server, installed as the engine's proxy on first use. Requests reach it
// with the whole address as the path: hits("http://www.baidu.com/").
HttpServer& internetStandIn();

} // namespace zemora::test
