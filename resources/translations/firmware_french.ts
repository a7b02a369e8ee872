<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
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
        <translation>Supprimer</translation>
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
    <name>OneButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
