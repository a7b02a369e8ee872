<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>ABSPreHeat</name>
    <message>
        <source>ABS Nozzle Temp</source>
        <translation>Temp. buse ABS</translation>
    </message>
    <message>
        <source>ABS Platform Temp</source>
        <translation>Temp. plateau ABS</translation>
    </message>
</context>
<context>
    <name>About</name>
    <message>
        <source>Machine Type:</source>
        <translation>Type de machine :</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Version du logiciel :</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>Adresse IP :</translation>
    </message>
    <message>
        <source>Wi-Fi MAC:</source>
        <translation>MAC Wi-Fi :</translation>
    </message>
    <message>
        <source>Usage Counter:</source>
        <translation>Durée d&apos;utilisation :</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>N° de série :</translation>
    </message>
    <message>
        <source>Momery Remaining:</source>
        <translation>Mémoire libre :</translation>
    </message>
    <message>
        <source>Email:</source>
        <translation>E-mail :</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Site web :</translation>
    </message>
    <message>
        <source> hours</source>
        <translation>heures</translation>
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
        <translation>Pas de réseau</translation>
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
        <translation>Aucune clé USB détectée !</translation>
    </message>
</context>
<context>
    <name>BuildPreview</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Cpoy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Confirmer la suppression</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>Voulez-vous vraiment
supprimer le fichier ?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>Échec de la suppression</translation>
    </message>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>Veuillez insérer une clé USB !</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Espace de stockage insuffisant</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>Copie en cours...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Vérification du fichier...</translation>
    </message>
    <message>
        <source>Copy File</source>
        <translation>Copie du fichier</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Veuillez patienter...</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Veuillez réessayer</translation>
    </message>
    <message>
        <source>Copy completed</source>
        <translation>Copie terminée</translation>
    </message>
</context>
<context>
    <name>BuildPrint</name>
    <message>
        <source>Build Time</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Time Remaining</source>
        <translation>Temps restant</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>File format error</source>
        <translation>Erreur de format de fichier</translation>
    </message>
    <message>
        <source>Abnormally print.
Please check the extruder.</source>
        <translation>Impression anormale.
Veuillez vérifier l&apos;extrudeuse.</translation>
    </message>
    <message>
        <source>No material detected. Please
load material before resuming
the print.</source>
        <translation>Aucun filament détecté.
Chargez du filament avant
de reprendre l&apos;impression.</translation>
    </message>
    <message>
        <source>The print could not be started.</source>
        <translation>L&apos;impression n&apos;a pas pu démarrer.</translation>
    </message>
    <message>
        <source>Out of material.You can
load more material to
continue this print.</source>
        <translation>Plus de filament. Chargez
du filament pour poursuivre
cette impression.</translation>
    </message>
    <message>
        <source>Pausing...
please wait...</source>
        <translation>Mise en pause...
veuillez patienter...</translation>
    </message>
    <message>
        <source>Prepare to resume...</source>
        <translation>Préparation de la reprise...</translation>
    </message>
    <message>
        <source>Cancel print job</source>
        <translation>Annuler l&apos;impression</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel print job?</source>
        <translation>Voulez-vous vraiment
annuler l&apos;impression ?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Cancelling Build...</source>
        <translation>Annulation en cours...</translation>
    </message>
    <message>
        <source>Build Completed</source>
        <translation>Impression terminée</translation>
    </message>
    <message>
        <source>Build completed!</source>
        <translation>Impression terminée !</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>The print stopped:
the printer board
stopped answering.</source>
        <translation>Impression arrêtée :
la carte de l&apos;imprimante
ne répond plus.</translation>
    </message>
    <message>
        <source>The print stopped:
the printer could not
tell whether a line ran.</source>
        <translation>Impression arrêtée :
impossible de savoir si
une ligne a été exécutée.</translation>
    </message>
    <message>
        <source>The print stopped:
the print file
cannot be read.</source>
        <translation>Impression arrêtée :
le fichier d&apos;impression
est illisible.</translation>
    </message>
    <message>
        <source>Power-loss resume is off
for this print: its record
cannot be saved.</source>
        <translation>Reprise après coupure
désactivée pour ce travail :
enregistrement impossible.</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Échec du retour à l&apos;origine</translation>
    </message>
</context>
<context>
    <name>BuildSetting</name>
    <message>
        <source>Pause print job</source>
        <translation>Suspendre l&apos;impression</translation>
    </message>
    <message>
        <source>Pause print job?</source>
        <translation>Suspendre l&apos;impression ?</translation>
    </message>
</context>
<context>
    <name>CmdProcess</name>
    <message>
        <source>Copying...</source>
        <translation>Copie en cours...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copie</translation>
    </message>
    <message>
        <source>Copy complete!</source>
        <translation>Copie terminée !</translation>
    </message>
    <message>
        <source>Copy failed!</source>
        <translation>Échec de la copie !</translation>
    </message>
</context>
<context>
    <name>Control</name>
    <message>
        <source>Move</source>
        <translation>Déplacer</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Moteur</translation>
    </message>
    <message>
        <source>Homing</source>
        <translation>Mise à l&apos;origine</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>Décharger</translation>
    </message>
    <message>
        <source>Preheat</source>
        <translation>Préchauffer</translation>
    </message>
</context>
<context>
    <name>FactorySetting</name>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source> Factory Setting</source>
        <translation> Réglages d&apos;usine</translation>
    </message>
    <message>
        <source>Restored to factory setting.</source>
        <translation>Rétablir les réglages d&apos;usine.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>Restore to factory setting?</source>
        <translation>Rétablir les réglages d&apos;usine ?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Restored to factory setting</source>
        <translation>Réglages d&apos;usine rétablis</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Home</name>
    <message>
        <source>Homing, please wait...</source>
        <translation>Mise à l&apos;origine,
veuillez patienter...</translation>
    </message>
    <message>
        <source>Homing completed</source>
        <translation>Mise à l&apos;origine terminée</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Échec du retour à l&apos;origine</translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>Code PIN</translation>
    </message>
    <message>
        <source>Please enter</source>
        <translation>Veuillez saisir</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Entrée</translation>
    </message>
</context>
<context>
    <name>Leveling</name>
    <message>
        <source>Level</source>
        <translation>Nivellement</translation>
    </message>
</context>
<context>
    <name>LoadFilament</name>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Chauffe de l&apos;extrudeur...</translation>
    </message>
    <message>
        <source>Preheat completed.
 Begin loading...</source>
        <translation>Préchauffage terminé.
Début du chargement...</translation>
    </message>
    <message>
        <source>Loading,about 1-2 minute
Press ok when new color appears</source>
        <translation>Chargement, environ 1-2 minutes
Appuyez sur OK quand la nouvelle couleur apparaît</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation>Température anormale,
vérifiez l&apos;extrudeur.</translation>
    </message>
    <message>
        <source>Cancel load</source>
        <translation>Annuler le chargement</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel load?</source>
        <translation>Voulez-vous vraiment
annuler le chargement ?</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Échec du retour à l&apos;origine</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The motion board does not respond.</source>
        <translation>La carte de mouvement ne répond pas.</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Contrôle</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Printer %1</source>
        <translation>Imprimante %1</translation>
    </message>
    <message>
        <source>Resume print</source>
        <translation>Reprendre l&apos;impression</translation>
    </message>
    <message>
        <source>The last print was interrupted.
Resume it?</source>
        <translation>La dernière impression a été
interrompue. La reprendre ?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>Nouvelle version trouvée.
Mettre à jour ?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>OneButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PLAPreHeat</name>
    <message>
        <source>PLA Nozzle Temp</source>
        <translation>Temp. buse PLA</translation>
    </message>
    <message>
        <source>PLA Platform Temp</source>
        <translation>Temp. plateau PLA</translation>
    </message>
</context>
<context>
    <name>PageFrame</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
</context>
<context>
    <name>PlatformLevel</name>
    <message>
        <source>Unscrew corresponding nut under
platform until touching
 the nozzle.</source>
        <translation>Dévissez l&apos;écrou sous le plateau
jusqu&apos;à ce que le plateau
touche la buse.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Pre-adjusting, please wait...</source>
        <translation>Préréglage,
veuillez patienter...</translation>
    </message>
    <message>
        <source>Leveling completed!</source>
        <translation>Nivellement terminé !</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Moving to point 2.
Please wait...</source>
        <translation>Déplacement au point 2.
Veuillez patienter...</translation>
    </message>
    <message>
        <source>Moving to point 3.
Please wait...</source>
        <translation>Déplacement au point 3.
Veuillez patienter...</translation>
    </message>
    <message>
        <source>Moving to point 4.
Please wait...</source>
        <translation>Déplacement au point 4.
Veuillez patienter...</translation>
    </message>
    <message>
        <source>Calibration is stored. Extruder is homing...</source>
        <translation>Calibrage enregistré. L&apos;extrudeur retourne à l&apos;origine...</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Échec du retour à l&apos;origine</translation>
    </message>
    <message>
        <source>Moving failed</source>
        <translation>Échec du déplacement</translation>
    </message>
</context>
<context>
    <name>Preheat</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
</context>
<context>
    <name>PreheatList</name>
    <message>
        <source>PLA Preheat</source>
        <translation>Préchauffage PLA</translation>
    </message>
    <message>
        <source>ABS Preheat</source>
        <translation>Préchauffage ABS</translation>
    </message>
</context>
<context>
    <name>PreheatPresetEditor</name>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
</context>
<context>
    <name>PrintDetail</name>
    <message>
        <source>Print Speed</source>
        <translation>Vitesse</translation>
    </message>
    <message>
        <source>Extruder</source>
        <translation>Extrudeur</translation>
    </message>
    <message>
        <source>Platform</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>Z -Offset</source>
        <translation>Décalage Z</translation>
    </message>
    <message>
        <source>Filament</source>
        <translation>Filament</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Parameter set successfully.</source>
        <translation>Paramètres enregistrés.</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Paramètres enregistrés</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Machine stoppage</source>
        <translation>Arrêt de la machine</translation>
    </message>
    <message>
        <source>Please reboot the machine</source>
        <translation>Veuillez redémarrer
la machine</translation>
    </message>
    <message>
        <source>Repair is complete,
please restart the printer</source>
        <translation>Réparation terminée,
redémarrez l&apos;imprimante</translation>
    </message>
    <message>
        <source>There was a problem
with the firmware update.
Please try again.</source>
        <translation>Un problème est survenu
lors de la mise à jour.
Veuillez réessayer.</translation>
    </message>
</context>
<context>
    <name>Scanner</name>
    <message>
        <source>Serial No</source>
        <translation>N° de série</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No ethernet mac found</source>
        <translation>Aucune adresse MAC Ethernet</translation>
    </message>
    <message>
        <source>The scanned code is too long.</source>
        <translation>Le code scanné est trop long.</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Temperature</source>
        <translation>Température</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Transmission Ratio</source>
        <translation>Rapport de transmission</translation>
    </message>
    <message>
        <source>Resume Print</source>
        <translation>Reprise d&apos;impression</translation>
    </message>
    <message>
        <source>Filament Detect</source>
        <translation>Détection du filament</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Éclairage</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>Réinitialisation usine</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Mise à jour</translation>
    </message>
</context>
<context>
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>Veuillez insérer une clé USB !</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Espace de stockage insuffisant</translation>
    </message>
    <message>
        <source>Copy File...</source>
        <translation>Copie du fichier...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Vérification du fichier...</translation>
    </message>
    <message>
        <source>Copy Completed</source>
        <translation>Copie terminée</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copy Failed</source>
        <translation>Échec de la copie</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Confirmer la suppression</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>Voulez-vous vraiment
supprimer le fichier ?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>Échec de la suppression</translation>
    </message>
</context>
<context>
    <name>ShowTempSetting</name>
    <message>
        <source>PLA Preheat Setting</source>
        <translation>Préchauffage PLA</translation>
    </message>
    <message>
        <source>ABS Preheat Setting</source>
        <translation>Préchauffage ABS</translation>
    </message>
</context>
<context>
    <name>TransmissionRatio</name>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Ratio X</source>
        <translation>Rapport X</translation>
    </message>
    <message>
        <source>Ratio Y</source>
        <translation>Rapport Y</translation>
    </message>
    <message>
        <source>Ratio Z</source>
        <translation>Rapport Z</translation>
    </message>
    <message>
        <source>Ratio E</source>
        <translation>Rapport E</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Paramètres appliqués</translation>
    </message>
    <message>
        <source>Parameter setting failed.
The values are saved
for the next start.</source>
        <translation>Échec du réglage.
Les valeurs sont enregistrées
pour le prochain démarrage.</translation>
    </message>
</context>
<context>
    <name>TwoButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
</context>
<context>
    <name>UDiskAndLocalMemory</name>
    <message>
        <source>Disk</source>
        <translation>Mémoire</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>Clé USB</translation>
    </message>
</context>
<context>
    <name>UnloadFilament</name>
    <message>
        <source>unLoad</source>
        <translation>Décharger</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Chauffe de l&apos;extrudeur...</translation>
    </message>
    <message>
        <source>Unloading the filament
 about 1 minute...</source>
        <translation>Déchargement du filament,
environ 1 minute...</translation>
    </message>
    <message>
        <source>Unloading completed</source>
        <translation>Déchargement terminé</translation>
    </message>
    <message>
        <source>Abnormal temperature,
Please check the extruder.</source>
        <translation>Température anormale,
vérifiez l&apos;extrudeur.</translation>
    </message>
    <message>
        <source>Cancel unload</source>
        <translation>Annuler le déchargement</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel unload?</source>
        <translation>Voulez-vous vraiment
annuler le déchargement ?</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>kernel downloading...</source>
        <translation>Téléchargement du noyau...</translation>
    </message>
    <message>
        <source>control downloading...</source>
        <translation>Téléchargement du contrôle...</translation>
    </message>
    <message>
        <source>library downloading...</source>
        <translation>Téléchargement des bibliothèques...</translation>
    </message>
    <message>
        <source>software downloading...</source>
        <translation>Téléchargement du logiciel...</translation>
    </message>
    <message>
        <source>Poor network, please
check the network and
try again !</source>
        <translation>Réseau faible,
vérifiez le réseau
et réessayez !</translation>
    </message>
    <message>
        <source>Checking version 
 information...</source>
        <translation>Vérification des
informations de version...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Téléchargement...</translation>
    </message>
    <message>
        <source>Upgrade Error</source>
        <translation>Erreur de mise à jour</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Installation...</translation>
    </message>
    <message>
        <source>Upgrade completed, 
Please restart the machine！</source>
        <translation>Mise à jour terminée,
redémarrez la machine !</translation>
    </message>
    <message>
        <source>It&apos;s the latest version.</source>
        <translation>Version la plus récente.</translation>
    </message>
    <message>
        <source>A new version is found.</source>
        <translation>Nouvelle version trouvée.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>Nouvelle version trouvée.
Mettre à jour ?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
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
        <translation>Non connecté</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>Recherche…</translation>
    </message>
    <message>
        <source>Forget SSID</source>
        <translation>Oublier le réseau</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Veuillez réessayer</translation>
    </message>
    <message>
        <source>SSID has been connected</source>
        <translation>Réseau connecté</translation>
    </message>
    <message>
        <source>Password is too short</source>
        <translation>Mot de passe trop court</translation>
    </message>
    <message>
        <source>Password is
 less than 8 characters</source>
        <translation>Le mot de passe a
moins de 8 caractères</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Échec de la connexion</translation>
    </message>
    <message>
        <source>This connection failed</source>
        <translation>Cette connexion a échoué</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion...</translation>
    </message>
</context>
<context>
    <name>ZCalibration</name>
    <message>
        <source>Calibrating, please wait...</source>
        <translation>Calibrage en cours,
veuillez patienter...</translation>
    </message>
    <message>
        <source>Completed!</source>
        <translation>Terminé !</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Échec du retour à l&apos;origine</translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation>Réception du fichier</translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation>ERREUR CRC</translation>
    </message>
</context>
</TS>
