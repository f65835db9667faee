#pragma once

// Every section, key and default of the settings file, once. Names match without regard to case, so
// "Roms"/"roms" and "Zibo"/"zibo" are one key. Where readers use different defaults, the key's default
// here is the common one and the reader passes its own explicitly (noted on the key).

struct StringKey
{
    const char *section;
    const char *name;
    const char *def;
};

struct IntKey
{
    const char *section;
    const char *name;
    int def;
};

struct BoolKey
{
    const char *section;
    const char *name;
    bool def;
};

namespace Keys {

// [Posicion]: window positions.
inline constexpr IntKey Top{"Posicion", "top", 115};
inline constexpr IntKey Left{"Posicion", "left", 281};
inline constexpr IntKey Top2{"Posicion", "top2", 86};
inline constexpr IntKey Left2{"Posicion", "left2", 253};
inline constexpr IntKey Top3{"Posicion", "top3", 119};   // readers pass the viewer's current position
inline constexpr IntKey Left3{"Posicion", "left3", 511}; // readers pass the viewer's current position
// The main window's size inside its frame; 0 (absent) keeps the design's size.
inline constexpr IntKey Width{"Posicion", "width", 0};
inline constexpr IntKey Height{"Posicion", "height", 0};

// [Directorios]: folders and the emulator.
inline constexpr StringKey Roms{"Directorios", "Roms", ""};   // readers pass the base folder
inline constexpr StringKey Zibo{"Directorios", "Zibo", ""};   // the launch check passes the default executable
inline constexpr StringKey Zibod{"Directorios", "Zibod", ""}; // launch, screenshots pass their own defaults
inline constexpr StringKey Rts{"Directorios", "Rts", ""};
inline constexpr StringKey Save{"Directorios", "Save", ""};

// [Configuracion]
inline constexpr IntKey Troms{"Configuracion", "Troms", 3};
inline constexpr BoolKey Shoots{"Configuracion", "shoots", false};
// "Mostrar títulos": the list shows the games' titles in place of their file names.
inline constexpr BoolKey ShowTitles{"Configuracion", "Titulos", false};
// "Vista con imágenes": the list shows the games as a grid of their pictures.
inline constexpr BoolKey PictureView{"Configuracion", "VistaImagenes", false};

// [Video]
inline constexpr IntKey Brillo{"Video", "Brillo", 0};
inline constexpr IntKey Resolucion{"Video", "Resolucion", 0};
inline constexpr IntKey ScreenUpdateFrequency{"Video", "Screen update frequency", 0};
inline constexpr IntKey Color{"Video", "Color", 0};
inline constexpr StringKey Dcs{"Video", "dcs", ";xxxxx"};

// [Sonido]
inline constexpr IntKey Volumen{"Sonido", "Volumen", 7};
inline constexpr IntKey Stereo{"Sonido", "Stereo", 1};
inline constexpr IntKey Tipo{"Sonido", "Tipo", 1};

// [Teclado]: indices into the keyboard dialog's 60 key names.
inline constexpr IntKey Izquierda{"Teclado", "Izquierda", 58};
inline constexpr IntKey Derecha{"Teclado", "Derecha", 59};
inline constexpr IntKey Arriba{"Teclado", "Arriba", 56};
inline constexpr IntKey Abajo{"Teclado", "Abajo", 57};
inline constexpr IntKey KeyA{"Teclado", "A", 0};
inline constexpr IntKey KeyB{"Teclado", "B", 19};
inline constexpr IntKey Start{"Teclado", "Start", 46};
inline constexpr IntKey Select{"Teclado", "Select", 49};
inline constexpr BoolKey AutofireA{"Teclado", "Autofire a", false};
inline constexpr BoolKey AutofireB{"Teclado", "Autofire b", false};

// [OtrasConfig]
inline constexpr BoolKey Delay{"OtrasConfig", "Delay", false};
inline constexpr BoolKey DisableSynk{"OtrasConfig", "DisableSynk", false};
inline constexpr BoolKey CheckCrc{"OtrasConfig", "CheckCrc", false};
inline constexpr IntKey GBmodos{"OtrasConfig", "GBmodos", 1};
inline constexpr BoolKey Fondo{"OtrasConfig", "Fondo", false};
inline constexpr StringKey FondoF{"OtrasConfig", "FondoF", ""};
inline constexpr BoolKey SobTituls{"OtrasConfig", "SobTituls", false};

// [ZipOptions]
inline constexpr BoolKey Subdir{"ZipOptions", "Subdir", true};
inline constexpr BoolKey DelRom{"ZipOptions", "DelRom", false};
inline constexpr StringKey Nivel{"ZipOptions", "Nivel", "6"};
inline constexpr BoolKey AskZipName{"ZipOptions", "?", false};

// [Joystick]
inline constexpr BoolKey Activado{"Joystick", "Activado", false};
inline constexpr IntKey Players{"Joystick", "Players", 0};
inline constexpr IntKey Joyset{"Joystick", "Joyset", 7};

// [OtrasConfig2]
inline constexpr BoolKey Rtsdir{"OtrasConfig2", "Rtsdir", false};
inline constexpr BoolKey Savedir{"OtrasConfig2", "Savedir", false};
inline constexpr BoolKey Comjpg{"OtrasConfig2", "comjpg", false};
inline constexpr BoolKey Bbmp{"OtrasConfig2", "bbmp", false};
inline constexpr IntKey Quality{"OtrasConfig2", "q", 75};
inline constexpr StringKey ArchId{"OtrasConfig2", "ArchId", ""};
inline constexpr StringKey ArchName{"OtrasConfig2", "ArchName", ""}; // the read-me choice passes "español.cti"
inline constexpr IntKey ArchNameInd{"OtrasConfig2", "ArchNameInd", 0};

// [Emulador]: how emulators other than Zibo are started. The own command line (arguments with %ROM%,
// %CHEATS%, %SAVES% and %SHOTS%) serves only the program it was written for.
inline constexpr StringKey OwnCommandLine{"Emulador", "Linea", ""};
inline constexpr StringKey OwnCommandProgram{"Emulador", "LineaPrograma", ""};
inline constexpr StringKey RetroArchCore{"Emulador", "Nucleo", ""}; // empty: the first Game Boy core found

// [DAT]: the DAT files the collection is checked against, as keys DAT1 to DAT<Cuantos>.
inline constexpr IntKey DatCount{"DAT", "Cuantos", 0};
inline constexpr StringKey DatFile{"DAT", "DAT", ""}; // the name is followed by the number, 1 to Cuantos

} // namespace Keys
