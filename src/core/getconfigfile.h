#pragma once

class Config;

// The accessor through which the program reaches its one settings store:
// getConfigFile()->configFile().
class GetConfigFile {
public:
    Config *configFile();
};

GetConfigFile *getConfigFile();
