#pragma once

// The version of this program, shown on the about page and reported to the
// update server.
constexpr const char *SoftwareVersion = "1.1.0";
