-- Rows for the recall, investigation, bulletin, complaint and known-for tests.
-- Ids from 9100 up, so they sit beside other fixture files without clashes.

INSERT INTO components (component_id, name) VALUES
  (9101, 'POWER TRAIN'),
  (9102, 'AIR BAGS'),
  (9103, 'ELECTRICAL SYSTEM'),
  (9104, 'AIR BAGS:FRONTAL'),
  (9105, 'AIR BAGS:SIDE'),
  (9106, 'AIR BAGS EXTRA'),
  (9107, 'AIR BAGS EXTRA:KNEE'),
  (9108, 'SERVICE BRAKES, HYDRAULIC'),
  (9109, 'STEERING'),
  (9110, 'SUSPENSION'),
  (9111, 'VISIBILITY');

INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year) VALUES
  (9101, 'ALDER', 'Ridgeback', 'Alder', 'Multipurpose Passenger Vehicle (MPV)', 1998, 2006),
  (9102, 'ALDER', 'Tern', 'Alder', 'Passenger Car', 2012, 2018),
  (9103, 'ALDER', 'Hauler', 'Alder', 'Truck', 2009, 2012);

-- Recalls: three vehicle recalls and one tire recall for the 2002 Ridgeback.
INSERT INTO recalls VALUES
  ('91V001000', 'V', 'Alder Motor Company', 'AIR BAGS:FRONTAL|SEAT BELTS', '2004-03-01', 181900, 'MFR',
   'THE FRONTAL AIR BAG MAY NOT DEPLOY. *TR', 'INJURY RISK.', 'DEALERS WILL REPLACE THE SENSOR.', 'N1', 1, 0),
  ('91V002000', 'V', 'Alder Motor Company', 'AIR BAGS:SIDE', '2006-07-15', 0, 'ODI', 'S2', 'C2', 'R2', '', 0, 1),
  ('91V003000', 'V', 'Alder Motor Company', '|FUEL SYSTEM, GASOLINE:DELIVERY||FUEL SYSTEM, GASOLINE', '2003-01-10',
   NULL, 'MFR', 'S3', 'C3', 'R3', '', 2, 0),
  ('91T004000', 'T', 'Tyreco', 'TIRES', '2005-05-05', 12, 'MFR', 'S4', 'C4', 'R4', '', 0, 0),
  ('91V005000', 'V', 'Alder Motor Company', '', '2010-01-01', 5, 'MFR', 'S5', 'C5', 'R5', '', 0, 0),
  ('91T006000', 'T', 'Tyreco', 'TIRES:TREAD', '2015-02-02', 7, 'MFR', 'S6', 'C6', 'R6', '', 0, 0);

INSERT INTO recall_links (vehicle_id, model_year, campaign) VALUES
  (9102, 2014, '91V001000'),
  (9101, 2003, '91V001000'),
  (9101, 2002, '91V003000'),
  (9101, 2002, '91V001000'),
  (9101, 2002, '91T004000'),
  (9101, 2002, '91V002000'),
  (9101, 2002, '91V999000'),
  (9101, 2003, '91V005000'),
  (9102, 2015, '91T006000'),
  (9102, 2016, '91V005000');

INSERT INTO investigations VALUES
  ('PE91001', 'Alder Motor Company', 'AIR BAGS', '2003-02-01', '2003-09-01', '', 'AIR BAG SENSOR', 'SUMMARY ONE'),
  ('EA91002', 'Alder Motor Company', 'AIR BAGS:SIDE|SEAT BELTS', '2005-06-01', '2006-08-01', '91V002000',
   'SIDE AIR BAG', 'SUMMARY TWO');

INSERT INTO inv_links (vehicle_id, model_year, action) VALUES
  (9101, 2002, 'PE91001'),
  (9101, 2002, 'XX91999'),
  (9101, 2002, 'EA91002');

-- Bulletins of the 2002 Ridgeback: ids 910001-910006 and 910099 (which has no
-- record); two pairs share a date.
INSERT INTO tsbs VALUES
  (910003, 'E-03', '2004-01-15', '2004-02-01', 'TSB', 'ELECTRICAL SYSTEM', 'BATTERY DRAIN'),
  (910001, 'T-01', '2003-05-01', '2019-05-02', 'TSB', 'POWER TRAIN:AUTOMATIC TRANSMISSION', '4R100 SHIFT FLARE'),
  (910006, 'N-06', '2001-01-01', '2001-02-01', 'TSB', 'ENGINE', 'IDLE SURGE'),
  (910004, 'E-04', '2002-11-30', '2002-12-01', 'TSB', 'ELECTRICAL SYSTEM:WIRING', 'HARNESS CHAFE'),
  (910005, 'O-05', '2004-01-15', '2004-02-01', 'Recall', '', 'OWNER LETTER'),
  (910002, 'T-02', '2003-05-01', '2003-06-01', 'TSB', 'POWER TRAIN||', 'TRANSMISSION NOISE'),
  (910101, 'S-01', '2015-03-03', '2015-04-04', 'TSB', 'STEERING:COLUMN', 'STEERING CLUNK');

INSERT INTO tsb_links (vehicle_id, model_year, ids, count) VALUES
  (9101, 2002, X'B1C53701010101015D', 7),
  (9102, 2015, X'95C637', 1),
  (9103, 2012, 'not a blob', 3);

-- Complaints. 2002 Ridgeback: 32 in all, nothing flagged (equal counts by id).
INSERT INTO complaint_totals VALUES
  (9101, 2002, 32, 1, 0, 2, 0),
  (9102, 2014, 1500, 3, 1, 4, 0),
  (9102, 2013, 1234567, 0, 0, 0, 0),
  (9102, 2015, 1, 0, 0, 0, 0),
  (9102, 2017, 49, 0, 0, 0, 0),
  (9102, 2018, 50, 0, 0, 0, 0);

INSERT INTO complaints VALUES
  (9101, 2002, 1, 9102, 12, 32, 0.375, 0.2, 1.9, 1.0, 0),
  (9101, 2002, 1, 9101, 12, 32, 0.375, 0.3, 1.2, 0.5, 1),
  (9101, 2002, 1, 9999, 8, 32, 0.25, 0.2, 1.2, 0.3, 0),
  (9101, 2002, 2, 9105, 5, 32, 0.15, 0.1, 1.5, 0.2, 0),
  (9101, 2002, 2, 9107, 3, 32, 0.09, 0.1, 0.9, 0.0, 0),
  (9101, 2002, 2, 9104, 7, 32, 0.21, 0.1, 2.1, 0.4, 0),
  -- 2014 Tern: six areas pass the rule (one despite its stored flag), one
  -- fails despite it.
  (9102, 2014, 1, 9102, 90, 1500, 0.06, 0.02, 3.0, 4.0, 1),
  (9102, 2014, 1, 9101, 1234, 1500, 0.82, 0.13, 6.25, 20.0, 1),
  (9102, 2014, 1, 9103, 60, 1500, 0.04, 0.01, 4.25, 5.0, 1),
  (9102, 2014, 1, 9108, 40, 1500, 0.03, 0.01, 3.5, 4.5, 1),
  (9102, 2014, 1, 9109, 30, 1500, 0.02, 0.01, 3.2, 4.1, 1),
  (9102, 2014, 1, 9110, 25, 1500, 0.02, 0.01, 3.1, 4.0, 0),
  (9102, 2014, 1, 9111, 21, 1500, 0.01, 0.01, 2.9, 9.0, 1),
  (9102, 2013, 1, 9101, 400000, 1234567, 0.3, 0.3, 1.0, 0.0, 0),
  (9102, 2013, 1, 9102, 19, 1234567, 0.0, 0.0, 50.0, 50.0, 0);
