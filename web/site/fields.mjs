// The result fields as data: where each text goes, and how a screen reader
// says it, in the order the desktop program reads them out. The patterns and
// the messages are the desktop's, which the site's assembly writes in from
// its window's form (@FORM.ui:WIDGET.PROPERTY@).

export const VOLUME = { id: 'Label33', spokenAs: '@main_window.ui:Label33.spokenAs@' };

export const MATERIALS = [
  { id: 'Label8', text: 'cementSacks', spokenAs: '@main_window.ui:Label8.spokenAs@' },
  { id: 'Label16', text: 'cementTonnes', spokenAs: '@main_window.ui:Label16.spokenAs@' },
  { id: 'Label9', text: 'sandBuckets', spokenAs: '@main_window.ui:Label9.spokenAs@' },
  { id: 'Label17', text: 'sandCubicMetres', spokenAs: '@main_window.ui:Label17.spokenAs@' },
  { id: 'Label10', text: 'gravelBuckets', spokenAs: '@main_window.ui:Label10.spokenAs@' },
  { id: 'Label18', text: 'gravelCubicMetres', spokenAs: '@main_window.ui:Label18.spokenAs@' },
  { id: 'Label11', text: 'waterBuckets', spokenAs: '@main_window.ui:Label11.spokenAs@' },
  { id: 'Label19', text: 'waterLitres', spokenAs: '@main_window.ui:Label19.spokenAs@' },
];

export const VOLUME_ONLY = '@main_window.ui:Quelvaris.volumeOnly@';

export const VOLUME_ONLY_SHOWN = `${VOLUME_ONLY} Elija uno y oprima "Calcular" para obtener los materiales.`;

export const STALE = 'Los resultados son de los datos anteriores: oprima "Calcular" para actualizarlos.';

// What the results on screen were computed for, in the boxes' own texts.
//   ("25.00", "0.12", "f'c = 150 kg/cm2") -> "Para 25.00 m2 x 0.12 m, f'c = 150 kg/cm2"
export function resultsFor(areaText, heightText, className) {
  const element = `Para ${areaText} m2 x ${heightText} m`;
  return className ? `${element}, ${className}` : element;
}

export const SHARE_TITLE = 'Materiales para concreto';

export const SHARE_COPIED = 'Lista copiada: péguela en su mensaje.';

export const LOAD_FAILED = 'No se pudo cargar la calculadora, y "Calcular" no funciona. '
  + 'Vuelva a abrir la página con conexión a internet; si sigue igual, borre los datos '
  + 'de este sitio en su navegador y ábrala de nuevo.';

export const TOO_LARGE = '@main_window.ui:Quelvaris.tooLarge@';

// A number as a screen reader should say it: without thousands separators,
// which some read as a pause, and with a zero before a leading point, which
// some read as "punto"; an empty field is zero.
//   "1,075" -> "1075"    ".3" -> "0.3"    "" -> "0"
export function spokenNumber(shown) {
  const number = shown.replaceAll(',', '');
  if (number === '') return '0';
  return number.replace(/^(-?)\./, '$10.');
}

export function spoken(field, shown) {
  return field.spokenAs.replace('%1', spokenNumber(shown));
}

// Many phone keyboards in Spanish put a comma on the decimal key. The
// calculation reads a number up to the comma, as the desktop program does;
// the hint says so, and how to write the decimals. `number` is the
// calculation's reading of the text (leadingNumber).
//   {read: "12", rest: ",5", stop: "comma"} -> "12.5"    any other stop -> null
export function commaCorrection(number) {
  return number.stop === 'comma' ? `${number.read}.${number.rest.slice(1)}` : null;
}

export function commaHint(number) {
  const corrected = commaCorrection(number);
  return corrected === null
    ? null
    : `Solo se tomó el número hasta la coma. El punto decimal es ".": escriba ${corrected}`;
}

// A height typed in centimetres where metres are asked ("12" for a 12-cm
// slab), as the calculation judges it (`metres`, or null): the number is
// still used as typed, and the hint says how to write it.
//   "0.12" -> "¿Son centímetros? En metros, escriba 0.12"    null -> null
export function centimetresHint(metres) {
  return metres === null ? null : `¿Son centímetros? En metros, escriba ${metres}`;
}
