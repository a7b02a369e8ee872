<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>ABSPreHeat</name>
    <message>
        <source>ABS Nozzle Temp</source>
        <translation>Temp. boquilla ABS</translation>
    </message>
    <message>
        <source>ABS Platform Temp</source>
        <translation>Temp. plataforma ABS</translation>
    </message>
</context>
<context>
    <name>About</name>
    <message>
        <source>Machine Type:</source>
        <translation>Tipo de máquina:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Versión de software:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Dirección IP:</translation>
    </message>
    <message>
        <source>Wi-Fi MAC:</source>
        <translation>MAC de Wi-Fi:</translation>
    </message>
    <message>
        <source>Usage Counter:</source>
        <translation>Tiempo de uso:</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>N.º de serie:</translation>
    </message>
    <message>
        <source>Momery Remaining:</source>
        <translation>Memoria libre:</translation>
    </message>
    <message>
        <source>Email:</source>
        <translation>Correo:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Sitio web:</translation>
    </message>
    <message>
        <source> hours</source>
        <translation>horas</translation>
    </message>
    <message>
        <source>support@korrin3d.com</source>
        <translation>support@korrin3d.com</translation>
    </message>
    <message>
        <source>www.korrin3d.com</source>
        <translation>www.korrin3d.com</translation>
    </message>
    <message>
        <source>No Network</source>
        <translation>Sin red</translation>
    </message>
    <message>
        <source>1/2</source>
        <translation>1/2</translation>
    </message>
    <message>
        <source>2/2</source>
        <translation>2/2</translation>
    </message>
    <message>
        <source>No USB flash disk detected!</source>
        <translation>¡No se detecta ninguna memoria USB!</translation>
    </message>
</context>
<context>
    <name>BuildPreview</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Cpoy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Confirmar eliminación</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>¿Seguro que desea
eliminar el archivo?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>Error al eliminar</translation>
    </message>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>¡Inserte una memoria USB!</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Espacio de almacenamiento insuficiente</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>Copiando...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Verificando archivo...</translation>
    </message>
    <message>
        <source>Copy File</source>
        <translation>Copiar archivo</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Espere...</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Vuelva a intentarlo</translation>
    </message>
    <message>
        <source>Copy completed</source>
        <translation>Copia completada</translation>
    </message>
</context>
<context>
    <name>BuildPrint</name>
    <message>
        <source>Build Time</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Time Remaining</source>
        <translation>Tiempo restante</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>File format error</source>
        <translation>Error de formato de archivo</translation>
    </message>
    <message>
        <source>Abnormally print.
Please check the extruder.</source>
        <translation>Impresión anómala.
Compruebe el extrusor.</translation>
    </message>
    <message>
        <source>No material detected. Please
load material before resuming
the print.</source>
        <translation>No se detecta material.
Cargue material antes de
reanudar la impresión.</translation>
    </message>
    <message>
        <source>The print could not be started.</source>
        <translation>No se pudo iniciar la impresión.</translation>
    </message>
    <message>
        <source>Out of material.You can
load more material to
continue this print.</source>
        <translation>Sin material. Cargue más
material para continuar
esta impresión.</translation>
    </message>
    <message>
        <source>Pausing...
please wait...</source>
        <translation>Pausando...
espere, por favor...</translation>
    </message>
    <message>
        <source>Prepare to resume...</source>
        <translation>Preparando la reanudación...</translation>
    </message>
    <message>
        <source>Cancel print job</source>
        <translation>Cancelar impresión</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel print job?</source>
        <translation>¿Seguro que desea
cancelar la impresión?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Cancelling Build...</source>
        <translation>Cancelando impresión...</translation>
    </message>
    <message>
        <source>Build Completed</source>
        <translation>Impresión completada</translation>
    </message>
    <message>
        <source>Build completed!</source>
        <translation>¡Impresión completada!</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>The print stopped:
the printer board
stopped answering.</source>
        <translation>La impresión se detuvo:
la placa de la impresora
dejó de responder.</translation>
    </message>
    <message>
        <source>The print stopped:
the printer could not
tell whether a line ran.</source>
        <translation>La impresión se detuvo:
no se pudo saber si
se ejecutó una línea.</translation>
    </message>
    <message>
        <source>The print stopped:
the print file
cannot be read.</source>
        <translation>La impresión se detuvo:
no se puede leer
el archivo de impresión.</translation>
    </message>
    <message>
        <source>Power-loss resume is off
for this print: its record
cannot be saved.</source>
        <translation>Sin reanudación tras corte
en esta impresión: no se
puede guardar el registro.</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Error al volver al origen</translation>
    </message>
</context>
<context>
    <name>BuildSetting</name>
    <message>
        <source>Pause print job</source>
        <translation>Pausar impresión</translation>
    </message>
    <message>
        <source>Pause print job?</source>
        <translation>¿Pausar la impresión?</translation>
    </message>
</context>
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
    <name>Control</name>
    <message>
        <source>Move</source>
        <translation>Mover</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Homing</source>
        <translation>Ir al origen</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Preheat</source>
        <translation>Precalentar</translation>
    </message>
</context>
<context>
    <name>FactorySetting</name>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source> Factory Setting</source>
        <translation> Ajustes de fábrica</translation>
    </message>
    <message>
        <source>Restored to factory setting.</source>
        <translation>Restaurar los ajustes de fábrica.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>Restore to factory setting?</source>
        <translation>¿Restaurar los ajustes de fábrica?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completado</translation>
    </message>
    <message>
        <source>Restored to factory setting</source>
        <translation>Ajustes de fábrica restaurados</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>Home</name>
    <message>
        <source>Homing, please wait...</source>
        <translation>Yendo al origen,
espere por favor...</translation>
    </message>
    <message>
        <source>Homing completed</source>
        <translation>Origen alcanzado</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Error al volver al origen</translation>
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
        <translation>Introduzca</translation>
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
    <name>Leveling</name>
    <message>
        <source>Level</source>
        <translation>Nivelar</translation>
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
        <translation>Aceptar</translation>
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
    <message>
        <source>Homing failed</source>
        <translation>Error al volver al origen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The motion board does not respond.</source>
        <translation>La placa de movimiento no responde.</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivelar</translation>
    </message>
    <message>
        <source>Printer %1</source>
        <translation>Impresora %1</translation>
    </message>
    <message>
        <source>Resume print</source>
        <translation>Reanudar impresión</translation>
    </message>
    <message>
        <source>The last print was interrupted.
Resume it?</source>
        <translation>La última impresión se
interrumpió. ¿Reanudarla?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>Hay una versión nueva.
¿Actualizar el firmware?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
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
    <name>PLAPreHeat</name>
    <message>
        <source>PLA Nozzle Temp</source>
        <translation>Temp. boquilla PLA</translation>
    </message>
    <message>
        <source>PLA Platform Temp</source>
        <translation>Temp. plataforma PLA</translation>
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
    <name>PlatformLevel</name>
    <message>
        <source>Unscrew corresponding nut under
platform until touching
 the nozzle.</source>
        <translation>Afloje la tuerca bajo la
plataforma hasta que esta
toque la boquilla.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Pre-adjusting, please wait...</source>
        <translation>Preajustando,
espere...</translation>
    </message>
    <message>
        <source>Leveling completed!</source>
        <translation>¡Nivelación completada!</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Terminar</translation>
    </message>
    <message>
        <source>Moving to point 2.
Please wait...</source>
        <translation>Moviendo al punto 2.
Espere...</translation>
    </message>
    <message>
        <source>Moving to point 3.
Please wait...</source>
        <translation>Moviendo al punto 3.
Espere...</translation>
    </message>
    <message>
        <source>Moving to point 4.
Please wait...</source>
        <translation>Moviendo al punto 4.
Espere...</translation>
    </message>
    <message>
        <source>Calibration is stored. Extruder is homing...</source>
        <translation>Calibración guardada. El extrusor vuelve al origen...</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Error al volver al origen</translation>
    </message>
    <message>
        <source>Moving failed</source>
        <translation>Error al mover</translation>
    </message>
</context>
<context>
    <name>Preheat</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
</context>
<context>
    <name>PreheatList</name>
    <message>
        <source>PLA Preheat</source>
        <translation>Precalentar PLA</translation>
    </message>
    <message>
        <source>ABS Preheat</source>
        <translation>Precalentar ABS</translation>
    </message>
</context>
<context>
    <name>PreheatPresetEditor</name>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
</context>
<context>
    <name>PrintDetail</name>
    <message>
        <source>Print Speed</source>
        <translation>Velocidad</translation>
    </message>
    <message>
        <source>Extruder</source>
        <translation>Extrusor</translation>
    </message>
    <message>
        <source>Platform</source>
        <translation>Plataforma</translation>
    </message>
    <message>
        <source>Z -Offset</source>
        <translation>Desfase Z</translation>
    </message>
    <message>
        <source>Filament</source>
        <translation>Filamento</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Parameter set successfully.</source>
        <translation>Parámetros guardados.</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Parámetros guardados</translation>
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
    <name>QObject</name>
    <message>
        <source>Machine stoppage</source>
        <translation>Máquina detenida</translation>
    </message>
    <message>
        <source>Please reboot the machine</source>
        <translation>Reinicie la máquina</translation>
    </message>
    <message>
        <source>Repair is complete,
please restart the printer</source>
        <translation>Reparación completada,
reinicie la impresora</translation>
    </message>
    <message>
        <source>There was a problem
with the firmware update.
Please try again.</source>
        <translation>Hubo un problema
con la actualización.
Inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>Scanner</name>
    <message>
        <source>Serial No</source>
        <translation>N.º de serie</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>No ethernet mac found</source>
        <translation>Sin MAC de Ethernet</translation>
    </message>
    <message>
        <source>The scanned code is too long.</source>
        <translation>El código escaneado es demasiado largo.</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Temperature</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Transmission Ratio</source>
        <translation>Relación de transmisión</translation>
    </message>
    <message>
        <source>Resume Print</source>
        <translation>Reanudar impresión</translation>
    </message>
    <message>
        <source>Filament Detect</source>
        <translation>Detección de filamento</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Luz</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Zumbador</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>Restablecer de fábrica</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Actualizar</translation>
    </message>
</context>
<context>
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>¡Inserte una memoria USB!</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Espacio de almacenamiento insuficiente</translation>
    </message>
    <message>
        <source>Copy File...</source>
        <translation>Copiando archivo...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Verificando archivo...</translation>
    </message>
    <message>
        <source>Copy Completed</source>
        <translation>Copia completada</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Copy Failed</source>
        <translation>Error al copiar</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Confirmar eliminación</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>¿Seguro que desea
eliminar el archivo?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>Error al eliminar</translation>
    </message>
</context>
<context>
    <name>ShowTempSetting</name>
    <message>
        <source>PLA Preheat Setting</source>
        <translation>Precalentamiento PLA</translation>
    </message>
    <message>
        <source>ABS Preheat Setting</source>
        <translation>Precalentamiento ABS</translation>
    </message>
</context>
<context>
    <name>TransmissionRatio</name>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Ratio X</source>
        <translation>Relación X</translation>
    </message>
    <message>
        <source>Ratio Y</source>
        <translation>Relación Y</translation>
    </message>
    <message>
        <source>Ratio Z</source>
        <translation>Relación Z</translation>
    </message>
    <message>
        <source>Ratio E</source>
        <translation>Relación E</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Parámetros establecidos</translation>
    </message>
    <message>
        <source>Parameter setting failed.
The values are saved
for the next start.</source>
        <translation>Error al establecer.
Los valores se guardaron
para el próximo inicio.</translation>
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
    <name>UDiskAndLocalMemory</name>
    <message>
        <source>Disk</source>
        <translation>Memoria</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>USB</translation>
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
    <name>Update</name>
    <message>
        <source>kernel downloading...</source>
        <translation>Descargando el núcleo...</translation>
    </message>
    <message>
        <source>control downloading...</source>
        <translation>Descargando el control...</translation>
    </message>
    <message>
        <source>library downloading...</source>
        <translation>Descargando las bibliotecas...</translation>
    </message>
    <message>
        <source>software downloading...</source>
        <translation>Descargando el software...</translation>
    </message>
    <message>
        <source>Poor network, please
check the network and
try again !</source>
        <translation>Red deficiente,
compruebe la red e
inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Checking version 
 information...</source>
        <translation>Comprobando la
información de versión...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Descargando...</translation>
    </message>
    <message>
        <source>Upgrade Error</source>
        <translation>Error de actualización</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Instalando...</translation>
    </message>
    <message>
        <source>Upgrade completed, 
Please restart the machine！</source>
        <translation>Actualización completa,
reinicie la máquina.</translation>
    </message>
    <message>
        <source>It&apos;s the latest version.</source>
        <translation>Es la última versión.</translation>
    </message>
    <message>
        <source>A new version is found.</source>
        <translation>Hay una versión nueva.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>Hay una versión nueva.
¿Actualizar el firmware?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>WIFIPage</name>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>No connect</source>
        <translation>Sin conexión</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>Buscando…</translation>
    </message>
    <message>
        <source>Forget SSID</source>
        <translation>Olvidar la red</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Inténtelo de nuevo</translation>
    </message>
    <message>
        <source>SSID has been connected</source>
        <translation>Red conectada</translation>
    </message>
    <message>
        <source>Password is too short</source>
        <translation>Contraseña demasiado corta</translation>
    </message>
    <message>
        <source>Password is
 less than 8 characters</source>
        <translation>La contraseña tiene
menos de 8 caracteres</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Error de conexión</translation>
    </message>
    <message>
        <source>This connection failed</source>
        <translation>Esta conexión ha fallado</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
</context>
<context>
    <name>ZCalibration</name>
    <message>
        <source>Calibrating, please wait...</source>
        <translation>Calibrando, espere...</translation>
    </message>
    <message>
        <source>Completed!</source>
        <translation>¡Completado!</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Error al volver al origen</translation>
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
