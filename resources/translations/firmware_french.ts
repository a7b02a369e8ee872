<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
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
