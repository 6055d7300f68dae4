// The system's folder for temporary files, with its trailing separator, or
// an empty text when the system names none.
#pragma once

#include <string>

std::string tempFolder();
