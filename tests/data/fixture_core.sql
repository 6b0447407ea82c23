-- Rows of the reference tables for vehicles, engines, codes, guides, OBD-I,
-- photos, references and search. Loaded on top of tools/vorelgen/schema.sql by
-- tests/support/fixturedb; fixture_agency.sql adds recalls, investigations,
-- bulletins, complaints and components.
--
-- Vehicles (vehicle_id: make / model, model years):
--    1 LINCOLN Navigator (MPV)          1998-2003, photo 1
--    2 FORD F-150 (Truck)               2014-2016, photo 2
--    3 FORD Explorer (MPV)              2002-2003, photo 3
--    4 DODGE Grand Caravan (MPV)        2002
--    5 HONDA Odyssey (MPV)              2002
--    6 FREIGHTLINER M2 106 (Truck)      2002, 2015, heavy
--    7 FORD F-750 (Truck)               2015, heavy
--    8 CHEVROLET Corvette (Car)         1997-1999, 2001, 2003-2004
--    9 GMC Savana Van (Truck, MPV)      2015
--   10 FORD RANGER (Truck)              2002
--   11 FORD escort wagon (Car)          2002
--   12 AMC Gremlin (Car)                1969, 1975, 2031; heavy stored as 2

INSERT INTO meta (key, value) VALUES
  ('counts', '{"vehicles": 12, "recalls": 3, "tsbs": 4, "complaints_total": 120, "obd_codes": 9, "guides": 3}'),
  ('recall_note', 'Recalls are listed as NHTSA publishes them.'),
  ('data_credit', 'Data: NHTSA, EPA.'),
  ('complaints_label', 'Owner complaints to NHTSA');

INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, first_year_vpic,
  last_year_vpic, starts_at_vpic_floor, heavy, confidence, year_source, notes, image_id) VALUES
  (1, 'LINCOLN', 'Navigator', 'Lincoln', 'Multipurpose Passenger Vehicle (MPV)', 1998, 2003, 1998, 2003, 0, 0, 'high', 'vpic', '', 1),
  (2, 'FORD', 'F-150', 'Ford', 'Truck', 2014, 2016, 2014, 2016, 0, 0, 'high', 'vpic', '', 2),
  (3, 'FORD', 'Explorer', 'Ford', 'Multipurpose Passenger Vehicle (MPV)', 2002, 2003, 2002, 2003, 0, 0, 'high', 'vpic', '', 3),
  (4, 'DODGE', 'Grand Caravan', 'Dodge', 'Multipurpose Passenger Vehicle (MPV)', 2002, 2002, 2002, 2002, 0, 0, 'medium', 'vpic', '', NULL),
  (5, 'HONDA', 'Odyssey', 'Honda', 'Multipurpose Passenger Vehicle (MPV)', 2002, 2002, 2002, 2002, 0, 0, 'high', 'vpic', '', NULL),
  (6, 'FREIGHTLINER', 'M2 106', 'Freightliner', 'Truck', 2002, 2015, 2002, 2015, 0, 1, 'high', 'vpic', '', NULL),
  (7, 'FORD', 'F-750', 'Ford', 'Truck', 2015, 2015, 2015, 2015, 0, 1, 'high', 'vpic', '', NULL),
  (8, 'CHEVROLET', 'Corvette', 'Chevrolet', 'Passenger Car', 1997, 2004, NULL, 2004, 0, 0, 'low', 'nhtsa', 'Years from records.', NULL),
  (9, 'GMC', 'Savana Van', 'GMC', 'Truck, Multipurpose Passenger Vehicle (MPV)', 2015, 2015, 2015, 2015, 0, 0, 'high', 'vpic', '', NULL),
  (10, 'FORD', 'RANGER', 'Ford', 'Truck', 2002, 2002, 2002, 2002, 0, 0, 'high', 'vpic', '', NULL),
  (11, 'FORD', 'escort wagon', 'Ford', 'Passenger Car', 2002, 2002, 2002, 2002, 0, 0, 'high', 'vpic', '', NULL),
  (12, 'AMC', 'Gremlin', 'AMC', 'Passenger Car', 1970, 1978, NULL, NULL, 1, 2, 'low', 'nhtsa', '', NULL);

INSERT INTO vehicle_years (vehicle_id, model_year, sources) VALUES
  (1, 1998, 'v'), (1, 1999, 'v'), (1, 2000, 'v'), (1, 2001, 'v'), (1, 2002, 'v'), (1, 2003, 'v'),
  (2, 2014, 'v'), (2, 2015, 'v'), (2, 2016, 'vo'),
  (3, 2002, 'v'), (3, 2003, 'v'),
  (4, 2002, 'v'), (5, 2002, 'v'),
  (6, 2002, 'v'), (6, 2015, 'v'),
  (7, 2015, 'v'),
  (8, 1997, 'o'), (8, 1998, 'o'), (8, 1999, 'o'), (8, 2001, 'o'), (8, 2003, 'o'), (8, 2004, 'o'),
  (9, 2015, 'v'),
  (10, 2002, 'v'), (11, 2002, 'o'),
  (12, 1969, 'o'), (12, 1975, 'o'), (12, 2031, 'o');

-- F-150 2015: two rows differ only in class and fuel (one kept), one differs in drive (kept).
INSERT INTO epa (vehicle_id, model_year, variant, displacement_l, cylinders, transmission, drive, vehicle_class,
  fuel_type, engine_desc, turbo, supercharger, ev_motor) VALUES
  (2, 2015, 'F150 Pickup 2WD', 3.5, 6, 'Automatic (S6)', 'Rear-Wheel Drive', 'Standard Pickup Trucks 2WD', 'Regular Gasoline', 'FFV', 1, 0, ''),
  (2, 2015, 'F150 Pickup 2WD', 3.5, 6, 'Automatic (S6)', 'Rear-Wheel Drive', 'Standard Pickup Trucks', 'Premium Gasoline', 'FFV', 1, 0, ''),
  (2, 2015, 'F150 Pickup 4WD', 3.5, 6, 'Automatic (S6)', '4-Wheel Drive', 'Standard Pickup Trucks 4WD', 'Regular Gasoline', 'FFV', 1, 0, ''),
  (2, 2015, 'F150 Pickup 2WD', 5.0, 8, 'Automatic (S6)', 'Rear-Wheel Drive', 'Standard Pickup Trucks 2WD', 'Regular Gasoline', '', 0, 0, ''),
  (2, 2015, 'F150 Pickup 2WD', 2.7, 6, 'Automatic (S6)', 'Rear-Wheel Drive', 'Standard Pickup Trucks 2WD', 'Regular Gasoline', '', 1, 0, ''),
  (2, 2016, 'F150 Lightning 4WD', 0.0, 0, 'Automatic (A1)', '4-Wheel Drive', 'Standard Pickup Trucks 4WD', 'Electricity', '', 1, 0, '150 kW'),
  (1, 2002, 'Navigator 4WD', 5.4, 8, 'Automatic 4-spd', '4-Wheel or All-Wheel Drive', 'Sport Utility Vehicle - 4WD', 'Regular Gasoline', '', 0, 0, '');

INSERT INTO obd_codes (code, system, family, title, meaning, causes, symptoms, check_first, seriousness, note, review_status) VALUES
  ('P0420', 'Emissions', 'catalyst', 'Catalyst system efficiency below threshold (bank 1)', 'The catalytic converter is not cleaning the exhaust as well as it should.', 'Worn catalytic converter; exhaust leak; oxygen sensor', 'Often none; sometimes a rotten-egg smell', 'Look for exhaust leaks', 'drive soon', '', 'reviewed'),
  ('P0301', 'Ignition', 'misfire', 'Cylinder 1 misfire detected', 'Cylinder 1 is not firing properly.', 'Spark plug; ignition coil; injector', 'Rough idle; flashing check-engine light', 'Swap the coil with another cylinder', 'stop', 'A flashing light can overheat the catalytic converter.', 'reviewed'),
  ('P0171', 'Fuel', 'sensor: oxygen', 'System too lean (bank 1)', 'The engine is getting too much air or too little fuel.', 'Vacuum leak; dirty MAF sensor', 'Hesitation', 'Listen for a vacuum leak', 'drive', '', 'reviewed'),
  ('P0A80', 'Hybrid', 'hybrid battery', 'Replace hybrid battery pack', 'The hybrid battery has weak cells.', 'Aged battery', 'Reduced fuel economy', 'Have the battery tested', 'drive soon', '', 'draft'),
  ('U0100', 'Network', 'network', 'Lost communication with ECM/PCM A', 'Modules cannot talk to the engine computer.', 'Wiring; failed ECM', 'No start; many warning lights', 'Check battery and grounds', 'stop', '', 'reviewed'),
  ('U0001', 'Network', 'network', 'High speed CAN communication bus', 'The main data network has a fault.', 'Wiring', 'Warning lights', 'Check connectors', 'Stop', '', 'reviewed'),
  ('B0001', 'Body', 'actuator: airbag', 'Driver frontal stage 1 deployment control', 'The driver airbag circuit has a fault.', 'Clock spring; connector', 'Airbag light on', 'Have the airbag system checked', 'urgent', '', 'reviewed'),
  ('B1000', 'Body', 'module', 'ECU malfunction', 'A body module reports an internal fault.', 'Module', 'Varies', 'Check for other codes', '', '', 'draft'),
  ('C0035', 'Chassis', 'sensor: wheel speed', 'Right front wheel speed sensor supply', 'The ABS module found a problem in the supply of the right front wheel speed sensor.', 'Sensor; wiring', 'ABS light on', 'Inspect the sensor wiring', 'drive soon', '', 'reviewed');

-- The second 'P' row is ignored: the first row of a prefix counts.
INSERT INTO obd_structure (prefix, kind, meaning) VALUES
  ('P', 'system', 'Powertrain (engine, transmission, emissions)'),
  ('B', 'system', 'Body (airbags, seats, lights)'),
  ('C', 'system', 'Chassis (brakes, steering, suspension)'),
  ('U', 'system', 'Network (communication between modules)'),
  ('P0', 'generic', 'Generic code: the same meaning on every vehicle'),
  ('P1', 'maker', 'Set by the vehicle maker'),
  ('P2', 'generic', 'Generic code (second series)'),
  ('B0', 'generic', 'Generic body code'),
  ('U0', 'generic', 'Generic network code'),
  ('P01/P21', 'area', 'Fuel and air metering'),
  ('P03/P23', 'area', 'Ignition system or misfire'),
  ('P04/P24', 'area', 'Auxiliary emission controls'),
  ('P0A/P2A', 'area', 'Hybrid propulsion'),
  ('P', 'system', 'Second row, never used');

-- Stored order differs from id order; 'brakes' has no steps; 'no-start' has
-- an empty safety text and an object in sources.
INSERT INTO guides (id, system, title, summary, safety, pro_when, sources, sort) VALUES
  ('overheating', 'Cooling', 'Engine overheating', 'The temperature gauge climbs or steam comes from the hood.', '["hot-coolant","jack"]', '["The gauge reaches the red","Coolant mixes with oil"]', '["nhtsa-cooling"]', 2),
  ('no-start', 'Starting', 'Engine will not start', 'The engine cranks slowly or not at all.', '', '["It still will not start after a jump"]', '{"a": "b"}', 1),
  ('brakes', 'Brakes', 'Brake pedal feels soft', 'The pedal sinks further than usual.', '["jack"]', '[]', '["epa-obd", 7]', 3);

-- Inserted out of order: the sort column gives the order within a guide.
INSERT INTO guide_nodes (guide_id, node_id, kind, text, detail, yes_node, no_node, sort) VALUES
  ('overheating', 'done', 'end', 'Have the cooling system pressure-tested.', '', NULL, NULL, 4),
  ('overheating', 'level', 'q', 'Is the coolant level low when the engine is cold?', 'Check the reservoir marks.', 'topup', 'fan', 1),
  ('overheating', 'topup', 'do', 'Top up with the coolant type in the manual.', '', 'done', NULL, 2),
  ('overheating', 'fan', 'q', 'Does the cooling fan run when the engine is hot?', '', 'done', '', 3),
  ('no-start', 'crank', 'q', 'Does the engine crank?', '', 'fuel', 'battery', 1),
  ('no-start', 'battery', 'end', 'Charge or replace the battery.', '', NULL, NULL, 2),
  ('ghost', 'x', 'q', 'A step of no guide.', '', NULL, NULL, 1);

INSERT INTO safety (id, title, text, source_id) VALUES
  ('hot-coolant', 'Hot coolant', 'Never open the radiator cap on a hot engine.', 'nhtsa-cooling'),
  ('jack', 'Use jack stands', 'Never work under a car held only by a jack.', NULL);
INSERT INTO sources (source_id, title, publisher, url) VALUES
  ('nhtsa-cooling', 'Cooling system care', 'NHTSA', 'https://www.nhtsa.gov/cooling'),
  ('epa-obd', 'On-board diagnostics', 'EPA', 'https://www.epa.gov/obd');

INSERT INTO obd1 (id, makes, years, system, connector, steps, reading, clearing, notes, sources, sort) VALUES
  ('gm-aldl', 'GM', '1982-1995', 'ALDL', '12-pin ALDL under the dash', '["Find the ALDL connector","Jump terminals A and B","Count the flashes"]', 'Flashes of the check-engine light', 'Remove the ECM fuse for 30 seconds', '', '["epa-obd"]', 2),
  ('ford-eec', 'Ford', '1984-1995', 'EEC-IV', 'Self-test connector in the engine bay', 'not json', 'Needle sweeps or flashes', 'Disconnect the battery', 'Key on, engine off first.', '["nhtsa-cooling","epa-obd"]', 1),
  ('chrysler', 'Chrysler', '1983-1995', 'SMEC/SBEC', 'None needed', '[1, 2]', 'Key on-off-on-off-on', 'Disconnect the battery', '', 'null', 3);

INSERT INTO obd_eras (years, note) VALUES
  ('1970-1980', 'No engine computer: diagnosis is by hand.'),
  ('1981-1995', 'OBD-I: each maker has its own codes and connector.'),
  ('1996-', 'OBD-II: one connector and generic codes.');

-- Ordered by make, then model; 4 to 6 name files outside a plain name.
INSERT INTO images (image_id, file, make, model, license, license_url, author, credit, attribution_text,
  commons_page_url, generation_note) VALUES
  (1, 'lincoln_navigator.jpg', 'Lincoln', 'Navigator', 'CC BY-SA 4.0', 'https://creativecommons.org/licenses/by-sa/4.0/', 'A. Author', 'Photo: A. Author', 'A. Author, CC BY-SA 4.0', 'https://commons.wikimedia.org/wiki/File:Navigator.jpg', 'first generation'),
  (2, 'ford_f150.jpg', 'Ford', 'F-150', 'CC BY 2.0', 'https://creativecommons.org/licenses/by/2.0/', 'B. Author', 'Photo: B. Author', 'B. Author, CC BY 2.0', 'https://commons.wikimedia.org/wiki/File:F150.jpg', 'thirteenth generation'),
  (3, 'ford_explorer.jpg', 'Ford', 'Explorer', 'Public domain', '', 'C. Author', 'Photo: C. Author', 'C. Author', 'https://commons.wikimedia.org/wiki/File:Explorer.jpg', ''),
  (4, '../escape.jpg', 'Ford', 'Zephyr', 'CC0', '', '', '', '', '', ''),
  (5, '/etc/passwd', 'Zz', 'Absolute', 'CC0', '', '', '', '', '', ''),
  (6, 'sub/dir.jpg', 'Zz', 'Sub', 'CC0', '', '', '', '', '', '');

INSERT INTO refs (ref_id, title, url, publisher, use_for, allowed_use) VALUES
  (2, 'vPIC API', 'https://vpic.nhtsa.dot.gov/api/', 'NHTSA', 'VIN decoding', 'Public API'),
  (1, 'Recalls data', 'https://www.nhtsa.gov/recalls', 'NHTSA', 'Recalls', 'Public data');

INSERT INTO data_sources (name, url, retrieved_at) VALUES
  ('NHTSA recalls', 'https://www.nhtsa.gov/nhtsa-datasets-and-apis', '2025-01-10'),
  ('EPA fuel economy', 'https://www.fueleconomy.gov/feg/download.shtml', '2025-01-08');

INSERT INTO search (kind, ref, title, body) VALUES
  ('vehicle', '1', 'Lincoln Navigator', 'Lincoln Navigator full-size luxury SUV'),
  ('vehicle', '2', 'Ford F-150', 'Ford F-150 light pickup truck'),
  ('vehicle', '3', 'Ford Explorer', 'Ford Explorer mid-size SUV'),
  ('vehicle', '4', 'Dodge Grand Caravan', 'Dodge Grand Caravan minivan'),
  ('vehicle', '5', 'Honda Odyssey', 'Honda Odyssey minivan'),
  ('vehicle', '6', 'Freightliner M2 106', 'Freightliner M2 106 heavy truck'),
  ('vehicle', '7', 'Ford F-750', 'Ford F-750 medium duty truck'),
  ('vehicle', '8', 'Chevrolet Corvette', 'Chevrolet Corvette sports car'),
  ('vehicle', '9', 'GMC Savana Van', 'GMC Savana Van full-size van'),
  ('vehicle', '10', 'Ford RANGER', 'Ford Ranger compact pickup'),
  ('vehicle', '11', 'Ford escort wagon', 'Ford Escort wagon compact car'),
  ('vehicle', '12', 'AMC Gremlin', 'AMC Gremlin subcompact car'),
  ('code', 'P0420', 'P0420 Catalyst system efficiency below threshold (bank 1)', 'The catalytic converter is not cleaning the exhaust as well as it should. Worn catalytic converter, exhaust leak, oxygen sensor.'),
  ('code', 'P0301', 'P0301 Cylinder 1 misfire detected', 'Cylinder 1 is not firing properly. Spark plug, ignition coil, injector. A misfire can damage the catalytic converter and set P0420 later.'),
  ('code', 'P0171', 'P0171 System too lean (bank 1)', 'The engine is getting too much air or too little fuel. Vacuum leak, dirty MAF sensor.'),
  ('code', 'U0100', 'U0100 Lost communication with ECM/PCM A', 'Modules cannot talk to the engine computer.'),
  ('guide', 'overheating', 'Engine overheating', 'The temperature gauge climbs or steam comes from the hood. Check coolant, fan, thermostat and radiator before the engine is damaged.'),
  ('guide', 'no-start', 'Engine will not start', 'The engine cranks slowly or not at all. Common on older Ford and Lincoln trucks with weak batteries; overheating is not the cause.'),
  ('guide', 'brakes', 'Brake pedal feels soft', 'The pedal sinks further than usual.'),
  ('obd1', 'gm-aldl', 'GM ALDL flash codes', 'Jump terminals A and B and count the check-engine light flashes.'),
  ('obd1', 'ford-eec', 'Ford EEC-IV self-test', 'Ford and Lincoln engines of 1984 to 1995 read codes through the self-test connector.'),
  ('recall', '05V388000', 'Lincoln Navigator air suspension', '05V388000 Lincoln Navigator and Ford Expedition air suspension compressor may overheat.'),
  ('recall', '14V123000', 'Ford F-150 brake master cylinder', '14V123000 Ford F-150 brake fluid may leak from the master cylinder.'),
  ('bulletin', '777', 'Lincoln Navigator bulletin', 'A row of a kind the search does not know.');

-- Filler rows give bm25 enough documents to rank by.
INSERT INTO search (kind, ref, title, body)
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)
  SELECT 'guide', 'filler-' || i, 'Filler note ' || i,
         'alpha bravo charlie delta echo foxtrot golf hotel india juliet kilo lima mike ' || i FROM n;
