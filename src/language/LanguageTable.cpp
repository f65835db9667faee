#include "language/LanguageTable.h"

#include <iterator>

namespace LanguageTable {

namespace {

// UTF-8 literals; the blanks inside and at the ends are part of the texts (messages are joined without
// adding any).
constexpr const char *kTexts[] = {
    "Archivo",                                                                            // 0
    "Jugar",                                                                              // 1
    "Buscar Roms",                                                                        // 2
    "Buscar Zibo",                                                                        // 3
    "Generar lista de Títulos para Códigos Game Genie",                                   // 4
    "Generar lista de Títulos (A Todo)",                                                  // 5
    "Extraer Título a juego seleccionado",                                                // 6
    "Comprimir",                                                                          // 7
    "Descomprimir",                                                                       // 8
    "Eliminar",                                                                           // 9
    "Cambiar Nombre",                                                                     // 10
    "Cambiar Título",                                                                     // 11
    "Salir",                                                                              // 12
    "Ver",                                                                                // 13
    "Gameboy Roms",                                                                       // 14
    "Gameboy Color Roms",                                                                 // 15
    "Roms formato ZIP",                                                                   // 16
    "Todas las Roms",                                                                     // 17
    "Actualizar",                                                                         // 18
    "Configuración",                                                                      // 19
    "Teclado",                                                                            // 20
    "Controles",                                                                          // 21
    "Otras Configuraciones 1 ",                                                           // 22
    "Renombrar Archivo a Título",                                                         // 23
    "Super Gameboy Roms",                                                                 // 24
    "Roms Formato GBZ",                                                                   // 25
    "Reemplazar títulos existentes",                                                      // 26
    ".Ayuda",                                                                             // 27
    "Léeme",                                                                              // 28
    "Acerca de..",                                                                        // 29
    "Jugar",                                                                              // 30
    "Comprimir",                                                                          // 31
    "Descomprimir",                                                                       // 32
    "Exportar nombre a la Lista de Códigos",                                              // 33
    "Extraer Título",                                                                     // 34
    "Eliminar",                                                                           // 35
    "Cambiar nombre",                                                                     // 36
    "Cambiar Título",                                                                     // 37
    "Actualizar",                                                                         // 38
    "Salir",                                                                              // 39
    "Usar Códigos Game Genie",                                                            // 40
    "Editar Códigos",                                                                     // 41
    "Buscar Roms",                                                                        // 42
    "Aceptar",                                                                            // 43
    "Cancelar",                                                                           // 44
    "Configuración     Audio / Video  ",                                                  // 45
    "Activar Sonido",                                                                     // 46
    "Grabar sonido ",                                                                     // 47
    "Volumen",                                                                            // 48
    "Nombre",                                                                             // 49
    "Opciones para Gameboy Normal",                                                       // 50
    "Brillo =",                                                                           // 51
    "Resolución = ",                                                                      // 52
    "Aceptar",                                                                            // 53
    "Configuración de Teclado",                                                           // 54
    "Izquierda",                                                                          // 55
    "Derecha",                                                                            // 56
    "Arriba",                                                                             // 57
    "Abajo ",                                                                             // 58
    "Aceptar",                                                                            // 59
    "Cancelar",                                                                           // 60
    "Otras configuraciones",                                                              // 61
    "Usar Fondo Seleccionado",                                                            // 62
    "Gameboy Modos",                                                                      // 63
    "Auto detectar",                                                                      // 64
    "Forzar Gameboy Color",                                                               // 65
    "Forzar Gameboy Normal",                                                              // 66
    "Forzar Súper Gameboy",                                                               // 67
    "Opciones de Compresión",                                                             // 68
    "Nivel de Compresión",                                                                // 69
    "Borrar ROM después de Comprimir",                                                    // 70
    "No incluir directorios",                                                             // 71
    "Preguntar por nombre del Fichero ZIP",                                               // 72
    "Aceptar",                                                                            // 73
    "Configurar Joystick",                                                                // 74
    "Tipo de Joystick",                                                                   // 75
    "Aceptar",                                                                            // 76
    "Configuración de Controles",                                                         // 77
    "Usar Joystick",                                                                      // 78
    "Configurar Player 1 y 2",                                                            // 79
    "Player 1Teclado / Player 2 Joystick",                                                // 80
    "Player 1 Joystick / Player 2 Teclado",                                               // 81
    "Aceptar",                                                                            // 82
    "Códigos Game Genie",                                                                 // 83
    "Activar",                                                                            // 84
    "Código",                                                                             // 85
    "Descripción",                                                                        // 86
    "Nombre del Juego : ",                                                                // 87
    "Cambiar",                                                                            // 88
    "Guardar Todo",                                                                       // 89
    "Limpiar Todo",                                                                       // 90
    "Cargar Códigos",                                                                     // 91
    "Nombre interno del Juego",                                                           // 92
    "Aceptar",                                                                            // 93
    "Escriba nombre del archivo a comprimir",                                             // 94
    "Aceptar",                                                                            // 95
    "Cancelar",                                                                           // 96
    "Cambiar Título",                                                                     // 97
    "Cambiar Título",                                                                     // 98
    "Cancelar",                                                                           // 99
    "Cartling, por los desarrolladores de Cartling",                                      // 100
    "Aceptar",                                                                            // 101
    "Idioma",                                                                             // 102
    "El directorio \"",                                                                   // 103
    "\" no Existe",                                                                       // 104
    "No se encuentra el archivo Léeme.txt..debe colocarlo en el directorio del Cartling", // 105
    "Imposible encontrar nombre  ,",                                                      // 106
    "  no es un juego",                                                                   // 107
    "Imposible encontrar nombre, el archivo ",                                            // 108
    " contiene más de una ROM",                                                           // 109
    "Lista Generada Exitosamente",                                                        // 110
    "No se encuentran Juegos para generar la Lista",                                      // 111
    "Imposible crear zibo.cfg, el directorio \"",                                         // 112
    "\" no existe",                                                                       // 113
    "No se encuentra Zibo.exe...Use el menú para localizarlo, (Crtl+D)",                  // 114
    "Imposible encontrar nombre  , ",                                                     // 115
    "  no es un juego",                                                                   // 116
    "Imposible encontrar nombre, el archivo ",                                            // 117
    " contiene más de una ROM",                                                           // 118
    "El archivo, ",                                                                       // 119
    "  no contiene Roms",                                                                 // 120
    "El archivo ",                                                                        // 121
    " contiene ",                                                                         // 122
    " Roms",                                                                              // 123
    "Nº de Juegos = ",                                                                    // 124
    "Título no encontrado",                                                               // 125
    "Lista Generada Exitosamente",                                                        // 126
    "No se encuentran Juegos",                                                            // 127
    "Los nombres fueron cambiados",                                                       // 128
    "No es Válido",                                                                       // 129
    "",                                                                                   // 130
    "",                                                                                   // 131
    "",                                                                                   // 132
    "",                                                                                   // 133
    "",                                                                                   // 134
    "",                                                                                   // 135
    "",                                                                                   // 136
    "",                                                                                   // 137
    "",                                                                                   // 138
    "",                                                                                   // 139
    "",                                                                                   // 140
    "",                                                                                   // 141
    "",                                                                                   // 142
    "",                                                                                   // 143
    "",                                                                                   // 144
    "",                                                                                   // 145
    "",                                                                                   // 146
    "",                                                                                   // 147
    "",                                                                                   // 148
    "Renombrar archivos a títulos (A todo)",                                              // 149
    "Otras Configuraciones 2 ",                                                           // 150
    "Configuración del Idioma",                                                           // 151
    "Seleccionar archivo de Idioma",                                                      // 152
    "Zibo Screen Shoots",                                                                 // 153
    "Siempre Comprimir a Jpg",                                                            // 154
    "Borrar Bitmaps Después de Comprimir",                                                // 155
    "Calidad Compresión Jpg",                                                             // 156
    "Audio / Video ",                                                                     // 157
    "Joystick",                                                                           // 158
    "Audio",                                                                              // 159
    "Video",                                                                              // 160
    "Sonido :",                                                                           // 161
    "Color =",                                                                            // 162
    "Screen Update Frequency =",                                                          // 163
    "Autofire",                                                                           // 164
    "A",                                                                                  // 165
    "B",                                                                                  // 166
    "Select",                                                                             // 167
    "Start",                                                                              // 168
    "Delay Screen Refresh",                                                               // 169
    "Disable Synk",                                                                       // 170
    "Ckeck Rom Crc",                                                                      // 171
    "Rts Dir :",                                                                          // 172
    "Save Dir :",                                                                         // 173
    "Home Page ",                                                                         // 174
    "Debes seleccionar un juego o debes importar el Nombre a la lista de Códigos o  Generar la lista de Títulos para "
    "Códigos Game Genie.Estas Opciones estan en los Menús.", // 175
    "",                                                      // 176
    "",                                                      // 177
    "",                                                      // 178
    "",                                                      // 179
    "",                                                      // 180
    "",                                                      // 181
    "",                                                      // 182
    "",                                                      // 183
    "",                                                      // 184
    "",                                                      // 185
    "",                                                      // 186
    "",                                                      // 187
    "",                                                      // 188
    "",                                                      // 189
    // Added texts: files and names that cannot be read, a second Cartling.
    "No se guarda nada en \"%1\": el archivo tiene contenido, pero no se pudo leer ninguna línea de él. "
    "Se deja como está.",                                    // 190
    "No se puede usar \"%1\": Zibo lee su configuración en Windows-1252, y este nombre tiene caracteres "
    "que no caben en ella. Elija otro.",                     // 191
    "El código \"%1\" tiene caracteres que Zibo no puede leer; no se guarda nada.", // 192
    "\"%1\" no se pudo enviar a la papelera, así que no se ha reemplazado.", // 193
    "Se omite \"%1\": su nombre contiene un salto de línea, que no cabe en una lista de títulos.", // 194
    "Se omitieron %1 archivos cuyo nombre no es texto válido. Use \"Reparar nombre\" en el menú de "
    "cada uno.",                                             // 195
    "El nombre de este archivo no es texto válido (viene de otro sistema). \"Reparar nombre\" lo cambia "
    "a \"%1\".",                                             // 196
    "Reparar nombre",                                        // 197
    "No se pudo cambiar el nombre a \"%1\": ya existe un archivo con ese nombre o la carpeta no lo "
    "permite.",                                              // 198
    "Cartling ya está abierto con la carpeta base \"%1\", pero no responde. Ciérrelo antes de abrirlo "
    "de nuevo.",                                             // 199
    "",                                                      // 200
    "",                                                      // 201
    "",                                                      // 202
    "",                                                      // 203
    "",                                                      // 204
    "",                                                      // 205
    "",                                                      // 206
    "",                                                      // 207
    "",                                                      // 208
    "",                                                      // 209
    // Added texts: emulator kinds and the installed emulators.
    "Emuladores instalados…",                                // 210
    "Emuladores instalados",                                 // 211
    "Emuladores encontrados en este equipo (PATH y "
    "carpetas de Flatpak):",                                 // 212
    "No se ha encontrado ningún emulador conocido "
    "(mGBA, RetroArch) en PATH ni en las carpetas de "
    "Flatpak. Puede elegir el programa con «Buscar "
    "programa…».",                                           // 213
    "Usar",                                                  // 214
    "Buscar programa…",                                      // 215
    "Cerrar",                                                // 216
    "Línea de órdenes propia",                               // 217
    "Argumentos del programa elegido, con %ROM%, "
    "%CHEATS%, %SAVES% y %SHOTS%. Vacío: los "
    "argumentos de su tipo.",                                // 218
    "Guardar",                                               // 219
    "La línea de órdenes propia tiene unas comillas "
    "sin cerrar.",                                           // 220
    "Tipo",                                                  // 221
    "Programa",                                              // 222
    "Núcleo",                                                // 223
    "Línea propia",                                          // 224
    "No se puede iniciar el emulador \"",                    // 225
    "\": ",                                                  // 226
    "el programa ya no existe.",                             // 227
    "el programa no es ejecutable.",                         // 228
    "El emulador \"",                                        // 229
    "\" ha terminado nada más empezar.",                     // 230
    " Su último mensaje: ",                                  // 231
    "No se ha encontrado ningún núcleo de Game Boy "
    "para RetroArch (gambatte, sameboy, mgba, "
    "gearboy). Se ha buscado en: ",                          // 232
    "De las opciones de esta ventana, el emulador "
    "elegido usa solo: ",                                    // 233
    "El emulador elegido no usa las opciones de "
    "emulador de esta ventana.",                             // 234
    "Programa: ",                                            // 235
    "Código ",                                               // 236
    "Elija primero un programa.",                            // 237
    "",                                                      // 238
    "",                                                      // 239
    // Added texts: filter, titles in the list, favourites, recently played.
    "Buscar juego (Ctrl+F)",                                                            // 240
    "Filtro de juegos",                                                                 // 241
    "Mostrar títulos",                                                                  // 242
    "Favoritos",                                                                        // 243
    "Jugados recientemente",                                                            // 244
    "Favorito",                                                                         // 245
    "Jugado por última vez: ",                                                          // 246
    "Tiempo de juego: ",                                                                // 247
    " veces",                                                                           // 248
    "",                                                      // 249
    "",                                                      // 250
    "",                                                      // 251
    "",                                                      // 252
    "",                                                      // 253
    "",                                                      // 254
    "",                                                      // 255
    "",                                                      // 256
    "",                                                      // 257
    "",                                                      // 258
    "",                                                      // 259
    // Added texts: picture view.
    "Vista con imágenes",                                    // 260
    "",                                                      // 261
    "",                                                      // 262
    "",                                                      // 263
    "",                                                      // 264
    "",                                                      // 265
    "",                                                      // 266
    "",                                                      // 267
    "",                                                      // 268
    "",                                                      // 269
    // Added texts: collection check against DAT files.
    "Cargar DAT…",                                                                        // 270
    "Verificar colección",                                                                // 271
    "Renombrar según DAT",                                                                // 272
    "Deshacer último cambio de nombres",                                                  // 273
    "Quitar los DAT cargados",                                                            // 274
    "Volcado correcto: %1 (%2)",                                                          // 275
    "El CRC coincide con %1 (%2), pero no el SHA-1 o el tamaño: "
    "volcado erróneo o cabecera equivocada",                                              // 276
    "Desconocido en los DAT cargados",                                                    // 277
    "Sin verificar",                                                                      // 278
    "Suma de la cabecera: ",                                                              // 279
    "Suma global: ",                                                                      // 280
    "%1, correcta",                                                                       // 281
    "%1, errónea (debería ser %2)",                                                       // 282
    "Tipo de cartucho: %1",                                                               // 283
    "Tamaño de ROM: %1, de RAM: %2",                                                      // 284
    "Game Boy Color: %1; Super Game Boy: %2",                                             // 285
    "no",                                                                                 // 286
    "sí",                                                                                 // 287
    "compatible",                                                                         // 288
    "solo Game Boy Color",                                                                // 289
    "Cabecera incompleta",                                                                // 290
    "No se puede leer el DAT %1: no es XML de Logiqx o está dañado",                      // 291
    "%1 es demasiado grande para un DAT (más de %2 entradas o %3 MB)",                    // 292
    "No hay ningún DAT cargado; cárguelo con «Cargar DAT…»",                              // 293
    "Verificados %1 archivos: %2 correctos, %3 erróneos, %4 desconocidos",                // 294
    "No se pudieron leer y se omitieron:",                                                // 295
    "Se cambiarán estos %1 nombres; ningún archivo existente se reemplaza:",              // 296
    "Ningún archivo verificado necesita un nombre nuevo según los DAT",                   // 297
    "Nombres cambiados: %1. Sin cambiar (nombre ocupado o no válido): %2",                // 298
    "No hay ningún cambio de nombres que deshacer",                                       // 299
    // Added texts: Cartling's own files that are not written through a link or into another user's folder.
    "%1 es un enlace simbólico: el registro de cambios de nombre no se escribe a través de un enlace", // 300
    "La carpeta de %1 es un enlace simbólico o pertenece a otro usuario: "
    "el registro de cambios de nombre no se escribe en ella",                                          // 301
    "No se ha cambiado ningún nombre.",                                                                // 302
    "",                                                                                                // 303
    "",                                                                                                // 304
    "",                                                                                                // 305
    "",                                                                                                // 306
    "",                                                                                                // 307
    "",                                                                                                // 308
    "",                                                                                                // 309
    "",                                                                               // 310
    "",                                                                               // 311
    "",                                                                               // 312
    "",                                                                               // 313
    "",                                                                               // 314
    "",                                                                               // 315
    "",                                                                               // 316
    "",                                                                               // 317
    "",                                                                               // 318
    "",                                                                               // 319
    "",                                                                               // 320
    "",                                                                               // 321
    "",                                                                               // 322
    "",                                                                               // 323
    "",                                                                               // 324
    "",                                                                               // 325
    "",                                                                               // 326
    "",                                                                               // 327
    "",                                                                               // 328
    "",                                                                               // 329
    // Added texts: what a rename leaves behind.
    "%1 se queda como está: el nombre %2 ya existe o la carpeta no lo permite.",      // 330
    "%1 conserva su nombre: Cartling no da a un archivo el nombre «%2» del DAT (saltos de línea, "
    "tabuladores, caracteres de formato invisibles, : * ? \" < > | o un punto al principio).", // 331
    "%1 conserva su nombre nuevo: %2 vuelve a estar ocupado. Sus partidas, trucos, capturas, "
    "títulos y registros siguen con él.",                                             // 332
    "",                                                                               // 333
    "",                                                                               // 334
    "",                                                                               // 335
    "",                                                                               // 336
    "",                                                                               // 337
    "",                                                                               // 338
    "",                                                                               // 339
    // Added texts: what the chosen emulator cannot do as asked, and what it does with the Game Genie codes.
    "mGBA solo colorea un juego de Gameboy Normal con una BIOS de Gameboy Color; sin ella lo muestra con la "
    "paleta elegida.",                                                                                 // 340
    "Núcleo de RetroArch: %1.",                                                                        // 341
    "Gambatte solo puede forzar Gameboy Normal; con Color o Súper "
    "cada juego usa la consola para la que se hizo.",                                                  // 342
    "No se ha encontrado ningún núcleo de Game Boy para RetroArch.",                                   // 343
    "mGBA recibe los códigos en su archivo de trucos (carpeta Trucos); los "
    "marcados empiezan activos y su ventana de trucos puede cambiarlos.",                              // 344
    "RetroArch recibe los códigos como trucos del núcleo %1 "
    "(carpeta Trucos); solo los marcados se activan.",                                                 // 345
    "RetroArch no puede recibir los códigos: no se ha encontrado ningún núcleo de Game Boy.",          // 346
    "La línea de órdenes propia recibe los códigos en un archivo de trucos de mGBA (%CHEATS%).",       // 347
    "La línea de órdenes propia no pasa los códigos: añada "
    "%CHEATS% para que el programa los reciba.",                                                       // 348
    "",                                                                                                // 349
    "",                                                                                                // 350
    "",                                                                                                // 351
    "",                                                                                                // 352
    "",                                                                                                // 353
    "",                                                                                                // 354
    "",                                                                                                // 355
    "",                                                                                                // 356
    "",                                                                                                // 357
    "",                                                                                                // 358
    "",                                                                                                // 359
    // Added texts: the collection report.
    "Informe de la colección…", // 360
    "&DAT:", // 361
    "%1 juegos en el DAT: %2 correctos, %3 solo con un volcado erróneo, %4 faltan", // 362
    "Faltan (%1)", // 363
    "Copias del mismo volcado (%1)", // 364
    "Desconocidos (%1)", // 365
    "&Buscar:", // 366
    "&Copiar", // 367
    "Guardar &lista…", // 368
    "Guardar &fixdat…", // 369
    "Cerrar", // 370
    "%1 archivos no cuentan: sin verificar, cambiados desde la verificación o sin una ROM que comprobar.", // 371
    "%1 conserva el nombre %2 dentro: está cifrado.", // 372
    "%1 conserva los nombres de dentro: guarda varios archivos.", // 373
    "%1 conserva el nombre de dentro: Cartling no reescribe esta clase de ZIP (ZIP64 o dañado).", // 374
    "%1 se queda como está: su copia con el nombre nuevo dentro no se pudo escribir o comprobar.", // 375
    "%1 se queda como está: el nombre %2 ya existe.", // 376
    "", // 377
    "", // 378
    "", // 379
    // Added texts: the first start (the guide to the first game, files dropped onto the window).
    "Elija la carpeta de sus juegos de Game Boy, o arrastre aquí los archivos.",          // 380
    "Esta carpeta no tiene juegos de Game Boy: elija otra, "
    "o arrastre aquí los archivos.",                                                      // 381
    "Elegir la carpeta de juegos…",                                                       // 382
    "¿Usar «%1» como carpeta de juegos?",                                                 // 383
    "Aquí solo se pueden soltar juegos de Game Boy de este ordenador (.gb, "
    ".gbc, .cgb, .sgb, .gbz, .zip) o una carpeta.",                                       // 384
    "Copiando juegos",                                                                    // 385
    "No se copiaron porque la carpeta de juegos ya tiene un archivo con ese nombre:",     // 386
    "No se pudieron copiar:",                                                             // 387
    "No se copiaron porque no son juegos de Game Boy de este ordenador:",                 // 388
    "Copia cancelada: se copiaron %1 de %2 archivos.",                                    // 389
    "", // 390
    "", // 391
    "", // 392
    "", // 393
    "", // 394
    "", // 395
    "", // 396
    "", // 397
    "", // 398
    "", // 399
    "No se pudo guardar una copia de la partida de %1 (%2). El juego se inicia igualmente.", // 400
    "%1 no tiene partida guardada para %2, pero sí la hay de %3 en %4. ¿Llevarla a %2? (La de %3 se queda donde está.)", // 401
    "No se pudo llevar la partida a %1.", // 402
    "Partida guardada: %1 · %2 copias", // 403
    "Partidas guardadas…", // 404
    "Partidas guardadas de %1", // 405
    "Partida actual", // 406
    "Fecha", // 407
    "Tamaño", // 408
    "Guardada por", // 409
    "Restaurar", // 410
    "Exportar…", // 411
    "Abrir carpeta", // 412
    "Cerrar", // 413
    "¿Poner la copia del %1 en lugar de la partida actual de %2? La partida actual se guarda antes como copia.", // 414
    "La copia del %1 está en su sitio.", // 415
    "No se pudo escribir %1.", // 416
    "Este juego no tiene todavía partida guardada ni copias.", // 417
    "Enviar también a la papelera sus partidas guardadas (%1 archivos)", // 418
    "", // 419
};

static_assert(std::size(kTexts) == EntryCount);

} // namespace

const QStringList &builtin()
{
    static const QStringList table = [] {
        QStringList texts;
        texts.reserve(EntryCount);
        for (const char *text : kTexts)
            texts.append(QString::fromUtf8(text));
        return texts;
    }();
    return table;
}

QString builtinText(int index)
{
    return builtin().value(index);
}

} // namespace LanguageTable
