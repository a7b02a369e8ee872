#pragma once

class SerialObject;

// Accessor of the process's printer link for the pages.
class CExecuteGetSerialObject {
public:
    SerialObject *serial();
};

CExecuteGetSerialObject *ExecuteGetSerialObject();
