#include "executegetserialobject.h"
#include "serialobject.h"

SerialObject *CExecuteGetSerialObject::serial()
{
    return SerialObject::getInstance();
}

CExecuteGetSerialObject *ExecuteGetSerialObject()
{
    static CExecuteGetSerialObject instance;
    return &instance;
}
