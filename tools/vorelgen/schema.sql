-- Schema of the reference database vorel.db, in the column order the queries read.
CREATE TABLE meta (key TEXT NOT NULL, value TEXT NOT NULL);
CREATE TABLE components (component_id INTEGER PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE vehicles (
  vehicle_id INTEGER PRIMARY KEY, make TEXT NOT NULL, model TEXT NOT NULL, make_display TEXT NOT NULL,
  vehicle_types TEXT NOT NULL, first_year INTEGER NOT NULL, last_year INTEGER NOT NULL,
  first_year_vpic INTEGER, last_year_vpic INTEGER, starts_at_vpic_floor INTEGER NOT NULL DEFAULT 0,
  heavy INTEGER NOT NULL DEFAULT 0, confidence TEXT NOT NULL DEFAULT '', year_source TEXT NOT NULL DEFAULT '',
  notes TEXT NOT NULL DEFAULT '', image_id INTEGER);
CREATE TABLE vehicle_years (vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, sources TEXT NOT NULL,
  PRIMARY KEY (vehicle_id, model_year)) WITHOUT ROWID;
CREATE TABLE epa (
  vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, variant TEXT NOT NULL, displacement_l REAL NOT NULL,
  cylinders INTEGER NOT NULL, transmission TEXT NOT NULL, drive TEXT NOT NULL, vehicle_class TEXT NOT NULL,
  fuel_type TEXT NOT NULL, engine_desc TEXT NOT NULL, turbo INTEGER NOT NULL DEFAULT 0,
  supercharger INTEGER NOT NULL DEFAULT 0, ev_motor TEXT NOT NULL DEFAULT '');
CREATE TABLE recalls (
  campaign TEXT PRIMARY KEY, recall_type TEXT NOT NULL, manufacturer TEXT NOT NULL, components TEXT NOT NULL,
  report_date TEXT NOT NULL, potentially_affected INTEGER, initiated_by TEXT NOT NULL, summary TEXT NOT NULL,
  consequence TEXT NOT NULL, remedy TEXT NOT NULL, notes TEXT NOT NULL, do_not_drive INTEGER NOT NULL DEFAULT 0,
  park_outside INTEGER NOT NULL DEFAULT 0);
CREATE TABLE recall_links (vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, campaign TEXT NOT NULL);
CREATE TABLE investigations (
  action TEXT PRIMARY KEY, manufacturer TEXT NOT NULL, components TEXT NOT NULL, opened TEXT NOT NULL,
  closed TEXT NOT NULL, recall_campaign TEXT NOT NULL DEFAULT '', subject TEXT NOT NULL, summary TEXT NOT NULL);
CREATE TABLE inv_links (vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, action TEXT NOT NULL);
CREATE TABLE tsbs (
  nhtsa_id INTEGER PRIMARY KEY, document_id TEXT NOT NULL, comm_date TEXT NOT NULL, added_date TEXT NOT NULL,
  comm_type TEXT NOT NULL, components TEXT NOT NULL, summary TEXT NOT NULL);
CREATE TABLE tsb_links (vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, ids BLOB NOT NULL,
  count INTEGER NOT NULL, PRIMARY KEY (vehicle_id, model_year)) WITHOUT ROWID;
CREATE TABLE complaint_totals (vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, complaints INTEGER NOT NULL,
  crashes INTEGER NOT NULL, fires INTEGER NOT NULL, injuries INTEGER NOT NULL, deaths INTEGER NOT NULL,
  PRIMARY KEY (vehicle_id, model_year)) WITHOUT ROWID;
CREATE TABLE complaints (
  vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, level INTEGER NOT NULL, component_id INTEGER NOT NULL,
  complaints INTEGER NOT NULL, vehicle_year_complaints INTEGER NOT NULL, share_of_vehicle REAL NOT NULL,
  peer_share REAL NOT NULL, share_index REAL NOT NULL, z_score REAL NOT NULL, notably_high INTEGER NOT NULL);
CREATE TABLE obd_codes (
  code TEXT PRIMARY KEY, system TEXT NOT NULL, family TEXT NOT NULL, title TEXT NOT NULL, meaning TEXT NOT NULL,
  causes TEXT NOT NULL, symptoms TEXT NOT NULL, check_first TEXT NOT NULL, seriousness TEXT NOT NULL,
  note TEXT NOT NULL DEFAULT '', review_status TEXT NOT NULL);
CREATE TABLE obd_structure (prefix TEXT NOT NULL, kind TEXT NOT NULL, meaning TEXT NOT NULL);
CREATE TABLE guides (
  id TEXT PRIMARY KEY, system TEXT NOT NULL, title TEXT NOT NULL, summary TEXT NOT NULL, safety TEXT NOT NULL,
  pro_when TEXT NOT NULL, sources TEXT NOT NULL, sort INTEGER NOT NULL);
CREATE TABLE guide_nodes (
  guide_id TEXT NOT NULL, node_id TEXT NOT NULL, kind TEXT NOT NULL, text TEXT NOT NULL, detail TEXT NOT NULL,
  yes_node TEXT, no_node TEXT, sort INTEGER NOT NULL);
CREATE TABLE safety (id TEXT PRIMARY KEY, title TEXT NOT NULL, text TEXT NOT NULL, source_id TEXT);
CREATE TABLE sources (source_id TEXT PRIMARY KEY, title TEXT NOT NULL, publisher TEXT NOT NULL, url TEXT NOT NULL);
CREATE TABLE obd1 (
  id TEXT PRIMARY KEY, makes TEXT NOT NULL, years TEXT NOT NULL, system TEXT NOT NULL, connector TEXT NOT NULL,
  steps TEXT NOT NULL, reading TEXT NOT NULL, clearing TEXT NOT NULL, notes TEXT NOT NULL, sources TEXT NOT NULL,
  sort INTEGER NOT NULL);
CREATE TABLE obd_eras (years TEXT NOT NULL, note TEXT NOT NULL);
CREATE TABLE images (
  image_id INTEGER PRIMARY KEY, file TEXT NOT NULL, make TEXT NOT NULL, model TEXT NOT NULL, license TEXT NOT NULL,
  license_url TEXT NOT NULL, author TEXT NOT NULL, credit TEXT NOT NULL, attribution_text TEXT NOT NULL,
  commons_page_url TEXT NOT NULL, generation_note TEXT NOT NULL);
CREATE TABLE refs (ref_id INTEGER PRIMARY KEY, title TEXT NOT NULL, url TEXT NOT NULL, publisher TEXT NOT NULL,
  use_for TEXT NOT NULL, allowed_use TEXT NOT NULL);
CREATE TABLE data_sources (name TEXT NOT NULL, url TEXT NOT NULL, retrieved_at TEXT NOT NULL);
CREATE VIRTUAL TABLE search USING fts5(kind UNINDEXED, ref UNINDEXED, title, body);

CREATE INDEX vehicles_make ON vehicles(make);
CREATE INDEX vehicle_years_year ON vehicle_years(model_year, vehicle_id);
CREATE INDEX epa_vy ON epa(vehicle_id, model_year);
CREATE INDEX recall_links_vy ON recall_links(vehicle_id, model_year);
CREATE INDEX recall_links_campaign ON recall_links(campaign);
CREATE INDEX inv_links_vy ON inv_links(vehicle_id, model_year);
CREATE INDEX complaints_vy ON complaints(vehicle_id, model_year);
CREATE INDEX guide_nodes_guide ON guide_nodes(guide_id, sort);
