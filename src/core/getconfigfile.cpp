#include "getconfigfile.h"

#include "config.h"

Config *GetConfigFile::configFile()
{
    return Config::getInstance();
}

GetConfigFile *getConfigFile()
{
    static GetConfigFile instance;
    return &instance;
}
