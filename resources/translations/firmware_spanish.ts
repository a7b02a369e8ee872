<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>CmdProcess</name>
    <message>
        <source>Copying...</source>
        <translation>Copiando...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Copy complete!</source>
        <translation>¡Copia completada!</translation>
    </message>
    <message>
        <source>Copy failed!</source>
        <translation>¡Error al copiar!</translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Cuenta</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Please enter</source>
        <translation>Por favor, introduzca</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Intro</translation>
    </message>
</context>
<context>
    <name>LoadFilament</name>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Calentando extrusor...</translation>
    </message>
    <message>
        <source>Preheat completed.
 Begin loading...</source>
        <translation>Precalentamiento completado.
Iniciando carga...</translation>
    </message>
    <message>
        <source>Loading,about 1-2 minute
Press ok when new color appears</source>
        <translation>Cargando, unos 1-2 minutos
Pulse OK cuando aparezca el nuevo color</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation>Temperatura anormal,
revise el extrusor.</translation>
    </message>
    <message>
        <source>Cancel load</source>
        <translation>Cancelar carga</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel load?</source>
        <translation>¿Seguro que desea
cancelar la carga?</translation>
    </message>
</context>
<context>
    <name>OneButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>PageFrame</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>TwoButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
</context>
<context>
    <name>UnloadFilament</name>
    <message>
        <source>unLoad</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Calentando extrusor...</translation>
    </message>
    <message>
        <source>Unloading the filament
 about 1 minute...</source>
        <translation>Descargando el filamento,
unos 1 minuto...</translation>
    </message>
    <message>
        <source>Unloading completed</source>
        <translation>Descarga completada</translation>
    </message>
    <message>
        <source>Abnormal temperature,
Please check the extruder.</source>
        <translation>Temperatura anormal,
revise el extrusor.</translation>
    </message>
    <message>
        <source>Cancel unload</source>
        <translation>Cancelar descarga</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel unload?</source>
        <translation>¿Seguro que desea
cancelar la descarga?</translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation>Recibiendo archivo</translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation>ERROR DE CRC</translation>
    </message>
</context>
</TS>
